#pragma once
// A connection to an MQTT broker through libmosquitto, in the library's own
// network thread. It connects in the background and again after every loss,
// and hands what happens to `Events` in that thread, in the order it happened:
// the receiver must pass it on to its own thread. Nothing here waits for the
// network: publishing only queues a message in the library.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct mosquitto;
struct mosquitto_message;

namespace qz::ui {

struct MqttMessage {
    std::string topic;
    std::string payload;
    bool kept = false;  // the broker kept it from earlier (retained), not sent just now
};

class MqttClient {
public:
    struct Events {
        std::function<void()> connected;
        // The connection was refused or lost; the client tries again by itself.
        std::function<void(std::string reason)> disconnected;
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

}  // namespace qz::ui
