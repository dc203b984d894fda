#include "rig_keyer.h"

#include "codec.h"
#include "morse_timing.h"
#include "rig_keying.h"
#include "rigctld_session.h"

#include <QTimer>
#include <vector>

namespace qz::link {
namespace {

// The operator sends a few messages ahead at most; more is a key held down.

QString failure(const QString& what, std::string_view command, const rig::Reply& reply)
{
    return what.arg(fromAscii(command)).arg(reply.result);
}

}  // namespace

RigKeyer::RigKeyer(std::shared_ptr<RigctldSession> session, QObject* parent)
    : CwKeyer(parent), session_(std::move(session)), onAir_(new QTimer(this))
{
    onAir_->setSingleShot(true);
    connect(onAir_, &QTimer::timeout, this, [this] { finishSending(false); });
    connect(session_.get(), &RigctldSession::problemChanged, this, &RigKeyer::setProblem);
}

void RigKeyer::sendNext()
{
    while (!sending_ && !queue_.empty()) {
        Text next = std::move(queue_.front());
        queue_.pop_front();
        const std::vector<std::string> requests = rig::sendMorseRequests(next.text);
        // Blanks only: nothing to key.
        if (requests.empty()) {
            finishLater(next.id, false);
            continue;
        }
        const std::uint64_t id = next.id;
        sending_ = std::move(next);
        for (const std::string& request : requests)
            session_->ask(request, rig::kSendMorseCommand, this, [this, id](const std::optional<rig::Reply>& reply) {
                if (!sending_ || sending_->id != id)
                    return;  // aborted meanwhile, or a piece before failed
                if (!reply)
                    return drop(id, {});
                if (!rig::succeeded(*reply, rig::kSendMorseCommand))
                    return drop(id, failure(QStringLiteral("Radio nie przyjęło tekstu CW (%1: %2)"),
                                            rig::kSendMorseCommand, *reply));
                setProblem({});
                if (!onAir_->isActive())
                    onAir_->start(morse::duration(sending_->text, wpm_));
            });
    }
}

void RigKeyer::abort()
{
    if (sending_) {
        onAir_->stop();
        session_->ask(std::string(rig::kStopMorseRequest), rig::kStopMorseCommand, this,
                      [this](const std::optional<rig::Reply>& reply) {
                          if (!reply || rig::succeeded(*reply, rig::kStopMorseCommand))
                              return;
                          // The operator must know that Escape did not stop the radio.
                          setProblem(failure(reply->result == rig::kNotAvailable
                                                 ? QStringLiteral("Radio nie umie przerwać nadawania CW (%1: %2)")
                                                 : QStringLiteral("Radio nie przerwało nadawania CW (%1: %2)"),
                                             rig::kStopMorseCommand, *reply));
                      });
    }
    dropAll();
}

void RigKeyer::setSpeed(int wpm)
{
    wpm_ = wpm;
    session_->ask(rig::keySpeedRequest(wpm), rig::kSetLevelCommand, this,
                  [this](const std::optional<rig::Reply>& reply) {
                      if (reply && !rig::succeeded(*reply, rig::kSetLevelCommand))
                          setProblem(failure(QStringLiteral("Radio nie zmieniło szybkości CW (%1 KEYSPD: %2)"),
                                             rig::kSetLevelCommand, *reply));
                  });
}

QString RigKeyer::where() const { return QStringLiteral("radio przez %1").arg(session_->where()); }

void RigKeyer::drop(std::uint64_t id, const QString& why)
{
    if (!why.isEmpty())
        setProblem(why);
    onAir_->stop();
    if (sending_ && sending_->id == id)
        finishSending(true);
}

}  // namespace qz::link
