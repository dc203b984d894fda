#pragma once
// The logbook's link to the station's other computers through the broker.
//
// Every shared event is kept by the broker (retained) under a topic of its
// own, so a computer that connects is given every event there is. To learn
// when it has been given all of them, it sends itself a mark after
// subscribing: the broker hands out the kept events first. Then it sends each
// event it knows that the broker did not give it (stored while the broker was
// down, or lost with the broker's data), so the broker again keeps them all.
// Each computer also keeps a presence message, replaced by "offline" when it
// goes without a goodbye, with its clock and its last QSO.

#include "mqtt_client.h"
#include "share_peers.h"
#include "share_setting.h"
#include "shared_log.h"
#include "spot.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qz::link {

class ShareLink : public QObject {
    Q_OBJECT
public:
    using UtcClock = std::function<std::int64_t()>;  // milliseconds since 1970, UTC

    // `log` is the journal of the shared QSOs; it must outlive the link. What
    // the others send is handed on by `received`; what is changed here comes
    // in through `send`.
    ShareLink(const SharedLog& log, const ShareSetting& setting, UtcClock clock = {}, QObject* parent = nullptr);
    ~ShareLink() override;

    bool connected() const { return connected_; }
    const std::string& broker() const { return broker_; }
    const std::string& station() const { return station_; }
    const SharePeers& peers() const { return peers_; }
    // The shared QSOs: every computer's count and last QSO.
    const ShareState& state() const { return log_.state(); }
    // Messages passed over: not of our form, not a log line, numbers out of
    // reach, too long, too many.
    std::uint64_t dropped() const { return dropped_ + droppedInTransit_.load(); }
    // Why the connection is down or was refused; empty when it is up.
    const QString& connectionProblem() const { return connectionProblem_; }
    // The journal beside the log could not be written (with its file name).
    const QString& journalProblem() const { return journalProblem_; }
    // The computer whose station folder this one was copied from; this one
    // then shares under a new name.
    const std::string& formerName() const { return log_.recovery().formerName; }

    // The events stored, corrected or deleted here, once the journal holds them.
    void send(const std::vector<ShareEvent>& events);
    // The journal could not be written: shown with the status until mended.
    void journalFailed(const QString& text);
    // A spot of this computer's cluster node, for the others' band maps;
    // lost while the broker is away, as spots soon grow old anyway.
    void sendSpot(const qz::Spot& spot);

signals:
    // Anything the status shows changed.
    void changed();
    // Events of the other computers, to be taken into the log.
    void received(const std::vector<qz::ShareEvent>& events);
    // A spot another computer's cluster node sent.
    void spotReceived(const qz::Spot& spot);

private:
    struct Happening {
        enum class Kind { Connected, Disconnected, Message };
        Kind kind = Kind::Message;
        MqttMessage message;
        std::optional<MqttProblem> problem;
    };
    void deliver(Happening happening);  // the network thread
    void drain();
    void take(const MqttMessage& message, std::vector<ShareEvent>& events);
    void onConnected();
    void onDisconnected(const std::optional<MqttProblem>& problem);
    void restore(const EventKey& key);
    void sendMark();
    void catchUp();
    void announce(bool online);
    std::string presenceText(bool online) const;

    const SharedLog& log_;
    std::string station_;
    std::string broker_;
    UtcClock clock_;
    SharePeers peers_;
    std::unique_ptr<MqttClient> client_;
    QTimer heartbeat_;

    std::mutex queueLock_;
    std::deque<Happening> queue_;
    std::atomic<std::uint64_t> droppedInTransit_{0};

    bool connected_ = false;
    bool caughtUp_ = false;
    // The events the broker gave since the connection began.
    std::set<EventKey> heard_;
    std::uint64_t dropped_ = 0;
    QString connectionProblem_;
    QString journalProblem_;
};

}  // namespace qz::link
