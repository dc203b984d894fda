#include "mqtt_client.h"

#include <mosquitto.h>

#include <mutex>
#include <stdexcept>

namespace qz::ui {
namespace {

// Seconds without a word before the broker gives us up and sends our will.
constexpr int kKeepAlive = 10;

void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

void check(int result, const char* what)
{
    if (result != MOSQ_ERR_SUCCESS)
        throw std::runtime_error(std::string(what) + ": " + mosquitto_strerror(result));
}

}  // namespace

MqttClient::MqttClient(const std::string& clientId, std::size_t messageLimit, Events events)
    : messageLimit_(messageLimit), events_(std::move(events))
{
    initLibrary();
    client_ = mosquitto_new(clientId.c_str(), true, this);
    if (client_ == nullptr)
        throw std::runtime_error("mosquitto_new failed");
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
    check(mosquitto_will_set(client_, topic.c_str(), static_cast<int>(payload.size()), payload.data(), 1, true),
          "mosquitto_will_set");
}

void MqttClient::start(const Login& login)
{
    if (!login.user.empty())
        check(mosquitto_username_pw_set(client_, login.user.c_str(), login.password.c_str()),
              "mosquitto_username_pw_set");
    check(mosquitto_loop_start(client_), "mosquitto_loop_start");
    started_ = true;
    // A broker that is not there yet is tried again by the network thread.
    if (const int result = mosquitto_connect_async(client_, login.host.c_str(), login.port, kKeepAlive);
        result != MOSQ_ERR_SUCCESS)
        events_.disconnected(mosquitto_strerror(result));
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
        me->events_.disconnected(mosquitto_connack_string(result));
}

void MqttClient::onDisconnect(mosquitto* /*client*/, void* self, int result)
{
    static_cast<MqttClient*>(self)->events_.disconnected(result == 0 ? "" : mosquitto_strerror(result));
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

}  // namespace qz::ui
