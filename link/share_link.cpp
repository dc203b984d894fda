#include "share_link.h"

#include "codec.h"
#include "mqtt_problem_text.h"

#include <QDateTime>
#include <QMetaObject>

namespace qz::link {
namespace {

// Events waiting for the window thread; beyond this a flood is dropped.
constexpr std::size_t kQueueLimit = 200000;
// Taken in one pass, so the windows stay responsive while a log arrives.
constexpr std::size_t kPassSize = 5000;
constexpr int kHeartbeat = 5000;

std::int64_t systemUtc() { return QDateTime::currentMSecsSinceEpoch(); }

}  // namespace

ShareLink::ShareLink(const SharedLog& log, const ShareSetting& setting, UtcClock clock, QObject* parent)
    : QObject(parent), log_(log), station_(setting.station), broker_(setting.broker.text()),
      clock_(clock ? std::move(clock) : systemUtc), peers_(log.computer())
{
    MqttClient::Events events{
        .connected = [this] { deliver({.kind = Happening::Kind::Connected, .message = {}, .problem = {}}); },
        .disconnected =
            [this](std::optional<MqttProblem> problem) {
                deliver({.kind = Happening::Kind::Disconnected, .message = {}, .problem = problem});
            },
        .message =
            [this](MqttMessage message) {
                deliver({.kind = Happening::Kind::Message, .message = std::move(message), .problem = {}});
            },
        .oversized = [this] { ++droppedInTransit_; },
    };
    const std::string& computer = peers_.self();
    try {
        client_ = std::make_unique<MqttClient>(computer, kMaxShareMessage, std::move(events));
        client_->setWill(presenceTopic(station_, computer), presenceText(false));
        client_->start({.host = setting.broker.host,
                        .port = setting.broker.port,
                        .user = setting.user,
                        .password = setting.password});
    } catch (const MqttFailure& failure) {
        client_.reset();
        connectionProblem_ = mqttProblemText(failure.problem());
    }
    heartbeat_.setInterval(kHeartbeat);
    connect(&heartbeat_, &QTimer::timeout, this, [this] {
        announce(true);
        // A mark lost by a broker whose queue for us was full is sent again.
        if (!caughtUp_)
            sendMark();
    });
}

void ShareLink::journalFailed(const QString& text)
{
    journalProblem_ = text;
    emit changed();
}

ShareLink::~ShareLink()
{
    // A goodbye, so the others stop counting this computer at once.
    if (connected_)
        announce(false);
    client_.reset();
}

void ShareLink::deliver(Happening happening)
{
    bool wasEmpty = false;
    {
        const std::lock_guard lock(queueLock_);
        if (queue_.size() >= kQueueLimit && happening.kind == Happening::Kind::Message) {
            ++droppedInTransit_;
            return;
        }
        wasEmpty = queue_.empty();
        queue_.push_back(std::move(happening));
    }
    if (wasEmpty)
        QMetaObject::invokeMethod(this, &ShareLink::drain, Qt::QueuedConnection);
}

void ShareLink::drain()
{
    std::deque<Happening> pass;
    bool more = false;
    {
        const std::lock_guard lock(queueLock_);
        const auto count = static_cast<std::ptrdiff_t>(std::min(queue_.size(), kPassSize));
        pass.assign(std::make_move_iterator(queue_.begin()), std::make_move_iterator(queue_.begin() + count));
        queue_.erase(queue_.begin(), queue_.begin() + count);
        more = !queue_.empty();
    }
    std::vector<ShareEvent> events;
    for (Happening& happening : pass) {
        // Events stay in order with the connection's ups and downs.
        if (happening.kind != Happening::Kind::Message && !events.empty())
            emit received(std::exchange(events, {}));
        switch (happening.kind) {
        case Happening::Kind::Connected: onConnected(); break;
        case Happening::Kind::Disconnected: onDisconnected(happening.problem); break;
        case Happening::Kind::Message: take(happening.message, events); break;
        }
    }
    if (!events.empty())
        emit received(events);
    if (more)
        QMetaObject::invokeMethod(this, &ShareLink::drain, Qt::QueuedConnection);
    emit changed();
}

void ShareLink::take(const MqttMessage& message, std::vector<ShareEvent>& events)
{
    const std::int64_t now = clock_();
    if (const auto key = eventOnTopic(station_, message.topic)) {
        auto decoded = decodeEvent(station_, message.topic, message.payload);
        // Numbers far beyond what this computer knows would carry its own
        // past what every reader takes: such an event is never taken.
        if (decoded && state().withinReach(decoded->event)) {
            heard_.insert(*key);
            peers_.heardEvent(decoded->event.computer, decoded->sentAt, now, !message.kept);
            events.push_back(std::move(decoded->event));
            return;
        }
        // An empty message clears what the broker kept; anything else here
        // has taken the place of the event.
        if (!message.payload.empty() || state().find(*key) == nullptr)
            ++dropped_;
        restore(*key);
    } else if (const auto presence = decodePresence(station_, message.topic, message.payload)) {
        const bool known = peers_.isOnline(presence->computer);
        peers_.heard(*presence, now, !message.kept);
        // A computer that has just come learns at once who else is there.
        if (!known && peers_.isOnline(presence->computer) && presence->computer != peers_.self())
            announce(true);
    } else if (const auto spotter = spotSender(station_, message.topic)) {
        const auto spot = parseSpot(message.payload);
        if (!spot)
            ++dropped_;
        else if (*spotter != peers_.self())
            emit spotReceived(*spot);
    } else if (const auto sender = markSender(station_, message.topic)) {
        if (*sender == peers_.self() && !caughtUp_) {
            // Everything kept came before the mark: the broker holds the
            // events the others see, and now every one this computer knows.
            emit received(std::exchange(events, {}));
            catchUp();
        }
    } else {
        ++dropped_;
    }
}

void ShareLink::onConnected()
{
    connected_ = true;
    caughtUp_ = false;
    heard_.clear();
    connectionProblem_.clear();
    client_->subscribe(stationTopic(station_) + "#");
    announce(true);
    sendMark();
    heartbeat_.start();
}

void ShareLink::sendSpot(const Spot& spot)
{
    if (connected_)
        client_->publish(spotTopic(station_, peers_.self()), spotLineOf(spot), false);
}

void ShareLink::sendMark() { client_->publish(markTopic(station_, peers_.self()), "", false); }

void ShareLink::onDisconnected(const std::optional<MqttProblem>& problem)
{
    connected_ = false;
    caughtUp_ = false;
    heartbeat_.stop();
    peers_.lostBroker();
    connectionProblem_ = problem ? mqttProblemText(*problem) : QString();
}

void ShareLink::restore(const EventKey& key)
{
    // Until the mark is back, catching up sends whatever the broker lacks.
    heard_.erase(key);
    const ShareEvent* known = state().find(key);
    // Never one that no reader takes (kept from an older program): it would
    // come back, be passed over and be sent again for ever.
    if (!caughtUp_ || known == nullptr || !state().withinReach(*known))
        return;
    // Its computer sends it again itself while it is connected.
    if (known->computer == peers_.self() || !peers_.isOnline(known->computer))
        send({*known});
}

void ShareLink::catchUp()
{
    caughtUp_ = true;
    std::vector<ShareEvent> missing;
    for (const ShareEvent& event : log_.state().events())
        if (!heard_.contains({event.computer, event.sequence}))
            missing.push_back(event);
    send(missing);
}

void ShareLink::send(const std::vector<ShareEvent>& events)
{
    // While the connection is down nothing is sent: what the broker lacks is
    // sent when it is back.
    if (!connected_ || !client_)
        return;
    const std::int64_t now = clock_();
    for (const ShareEvent& event : events)
        client_->publish(eventTopic(station_, event), encodeEvent(event, now), true);
}

std::string ShareLink::presenceText(bool online) const
{
    Presence presence{
        .computer = peers_.self(), .utcMilliseconds = clock_(), .online = online, .qsos = 0, .lastLine = {}};
    const auto& computers = log_.state().computers();
    if (const auto own = computers.find(peers_.self()); own != computers.end()) {
        presence.qsos = own->second.qsos;
        presence.lastLine = own->second.lastLine;
    }
    return encodePresence(presence);
}

void ShareLink::announce(bool online)
{
    if (client_)
        client_->publish(presenceTopic(station_, peers_.self()), presenceText(online), true);
}

}  // namespace qz::link
