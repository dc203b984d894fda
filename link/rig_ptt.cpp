#include "rig_ptt.h"

#include "codec.h"
#include "rig_keying.h"
#include "rigctld_session.h"

#include <chrono>
#include <utility>

namespace qz::link {
namespace {

// Closing waits this long at most, for each step, to drop PTT.
constexpr std::chrono::milliseconds kClosingBound{500};

}  // namespace

RigPtt::RigPtt(std::shared_ptr<RigctldSession> session, QObject* parent)
    : PttSwitch(parent), session_(std::move(session))
{
    connect(session_.get(), &RigctldSession::problemChanged, this, &RigPtt::setProblem);
    connect(session_.get(), &RigctldSession::lost, this, [this] { dropWhenConnected_ = mayBeOn_; });
    connect(session_.get(), &RigctldSession::connected, this, [this] {
        if (std::exchange(dropWhenConnected_, false))
            ask(false, true);
    });
}

RigPtt::~RigPtt()
{
    session_->disconnect(this);
    if (mayBeOn_)
        session_->sendBeforeClosing(rig::setPttRequest(false), rig::kSetPttCommand, kClosingBound);
}

void RigPtt::key(bool on) { ask(on, false); }

void RigPtt::ask(bool on, bool first)
{
    wanted_ = on;
    mayBeOn_ = mayBeOn_ || on;
    auto answer = [this, on](const std::optional<rig::Reply>& reply) {
        if (!reply || wanted_ != on)
            return;
        if (!rig::succeeded(*reply, rig::kSetPttCommand))
            return setProblem(QStringLiteral("Radio nie przełączyło PTT (%1: %2)")
                                  .arg(fromAscii(rig::kSetPttCommand))
                                  .arg(reply->result));
        confirm(on);
    };
    if (first)
        session_->askFirst(rig::setPttRequest(on), rig::kSetPttCommand, this, answer);
    else
        session_->ask(rig::setPttRequest(on), rig::kSetPttCommand, this, answer);
}

void RigPtt::confirm(bool on)
{
    session_->ask(std::string(rig::kGetPttRequest), rig::kGetPttCommand, this,
                  [this, on](const std::optional<rig::Reply>& reply) {
                      if (!reply || wanted_ != on)
                          return;
                      if (rig::pttOf(*reply) != on)
                          return setProblem(
                              QStringLiteral("Radio nie potwierdziło PTT (%1)").arg(fromAscii(rig::kGetPttCommand)));
                      if (!on)
                          mayBeOn_ = false;
                      setProblem({});
                      emit keyed(on);
                  });
}

void RigPtt::setProblem(const QString& problem)
{
    if (problem == problem_)
        return;
    problem_ = problem;
    emit problemChanged(problem_);
}

}  // namespace qz::link
