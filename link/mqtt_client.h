#pragma once
// A connection to an MQTT broker through libmosquitto, in the library's own
// network thread. It connects in the background and again after every loss,
// and hands what happens to `Events` in that thread, in the order it happened:
// the receiver must pass it on to its own thread. Nothing here waits for the
// network: publishing only queues a message in the library.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct mosquitto;
struct mosquitto_message;

namespace qz::link {

// Why a connection is down, as libmosquitto tells it: one of its error codes
// (MOSQ_ERR_*, with the system's error number for MOSQ_ERR_ERRNO), or the
// broker's answer refusing it. The texts are the program's own
// (mqtt_problem_text.h).
struct MqttProblem {
    enum class Kind { Error, Refused };
    Kind kind = Kind::Error;
    int code = 0;
    int systemError = 0;
};

// Setting up the library's connection failed.
class MqttFailure : public std::runtime_error {
public:
    explicit MqttFailure(MqttProblem problem);
    const MqttProblem& problem() const { return problem_; }

private:
    MqttProblem problem_;
};

struct MqttMessage {
    std::string topic;
    std::string payload;
    bool kept = false;  // the broker kept it from earlier (retained), not sent just now
};

class MqttClient {
public:
    struct Events {
        std::function<void()> connected;
        // The connection was refused or lost (nothing: closed as asked); the
        // client tries again by itself.
        std::function<void(std::optional<MqttProblem> problem)> disconnected;
        std::function<void(MqttMessage)> message;
        // A message longer than the limit, passed over without being copied.
        std::function<void()> oversized;
    };
    struct Login {
        std::string host;
        std::uint16_t port = 1883;
        std::string user;  // empty: anonymous
        std::string password;
    };

    MqttClient(const std::string& clientId, std::size_t messageLimit, Events events);
    ~MqttClient();
    MqttClient(const MqttClient&) = delete;
    MqttClient& operator=(const MqttClient&) = delete;

    // What the broker sends for us when the connection is lost without a goodbye.
    void setWill(const std::string& topic, std::string_view payload);
    // Starts the network thread; it connects, and connects again after a loss.
    void start(const Login& login);

    // Both at quality 1: the broker takes them at least once.
    void subscribe(const std::string& topicFilter);
    void publish(const std::string& topic, std::string_view payload, bool keep);

private:
    static void onConnect(mosquitto* client, void* self, int result);
    static void onDisconnect(mosquitto* client, void* self, int result);
    static void onMessage(mosquitto* client, void* self, const mosquitto_message* message);

    mosquitto* client_ = nullptr;
    std::size_t messageLimit_;
    Events events_;
    bool started_ = false;
};

}  // namespace qz::link
