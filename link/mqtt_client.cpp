#include "mqtt_client.h"

#include <mosquitto.h>

#include <cerrno>
#include <mutex>
#include <stdexcept>

namespace qz::link {
namespace {

// Seconds without a word before the broker gives us up and sends our will.
constexpr int kKeepAlive = 10;

void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

MqttProblem errorProblem(int result)
{
    // The system's error is the one the library met, read before anything else can change it.
    return {.kind = MqttProblem::Kind::Error, .code = result, .systemError = result == MOSQ_ERR_ERRNO ? errno : 0};
}

void check(int result)
{
    if (result != MOSQ_ERR_SUCCESS)
        throw MqttFailure(errorProblem(result));
}

}  // namespace

MqttFailure::MqttFailure(MqttProblem problem)
    : std::runtime_error("MQTT error " + std::to_string(problem.code)), problem_(problem)
{
}

MqttClient::MqttClient(const std::string& clientId, std::size_t messageLimit, Events events)
    : messageLimit_(messageLimit), events_(std::move(events))
{
    initLibrary();
    client_ = mosquitto_new(clientId.c_str(), true, this);
    if (client_ == nullptr)
        throw MqttFailure(errorProblem(errno == EINVAL ? MOSQ_ERR_INVAL : MOSQ_ERR_NOMEM));
    mosquitto_connect_callback_set(client_, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(client_, &MqttClient::onDisconnect);
    mosquitto_message_callback_set(client_, &MqttClient::onMessage);
    // A lost broker is tried again soon, then every few seconds.
    mosquitto_reconnect_delay_set(client_, 1, 5, false);
    // Many messages in flight at once: a computer catching up sends thousands.
    mosquitto_int_option(client_, MOSQ_OPT_SEND_MAXIMUM, 1000);
}

MqttClient::~MqttClient()
{
    if (started_) {
        mosquitto_disconnect(client_);
        mosquitto_loop_stop(client_, false);
    }
    mosquitto_destroy(client_);
}

void MqttClient::setWill(const std::string& topic, std::string_view payload)
{
    check(mosquitto_will_set(client_, topic.c_str(), static_cast<int>(payload.size()), payload.data(), 1, true));
}

void MqttClient::start(const Login& login)
{
    if (!login.user.empty())
        check(mosquitto_username_pw_set(client_, login.user.c_str(), login.password.c_str()));
    check(mosquitto_loop_start(client_));
    started_ = true;
    // A broker that is not there yet is tried again by the network thread.
    if (const int result = mosquitto_connect_async(client_, login.host.c_str(), login.port, kKeepAlive);
        result != MOSQ_ERR_SUCCESS)
        events_.disconnected(errorProblem(result));
}

void MqttClient::subscribe(const std::string& topicFilter)
{
    mosquitto_subscribe(client_, nullptr, topicFilter.c_str(), 1);
}

void MqttClient::publish(const std::string& topic, std::string_view payload, bool keep)
{
    // Without a connection the message is dropped here; what the station must
    // not lose is sent again when the connection is back.
    mosquitto_publish(client_, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(), 1, keep);
}

void MqttClient::onConnect(mosquitto* /*client*/, void* self, int result)
{
    auto* me = static_cast<MqttClient*>(self);
    if (result == 0)
        me->events_.connected();
    else
        me->events_.disconnected(MqttProblem{.kind = MqttProblem::Kind::Refused, .code = result, .systemError = 0});
}

void MqttClient::onDisconnect(mosquitto* /*client*/, void* self, int result)
{
    auto* me = static_cast<MqttClient*>(self);
    me->events_.disconnected(result == MOSQ_ERR_SUCCESS ? std::nullopt : std::optional(errorProblem(result)));
}

void MqttClient::onMessage(mosquitto* /*client*/, void* self, const mosquitto_message* message)
{
    auto* me = static_cast<MqttClient*>(self);
    const auto length = static_cast<std::size_t>(message->payloadlen);
    if (length > me->messageLimit_) {
        me->events_.oversized();
        return;
    }
    const char* payload = static_cast<const char*>(message->payload);
    me->events_.message(MqttMessage{.topic = message->topic,
                                    .payload = length == 0 ? std::string() : std::string(payload, length),
                                    .kept = message->retain});
}

}  // namespace qz::link
