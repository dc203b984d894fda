#include "rig_follower.h"

#include "codec.h"
#include "link_timer.h"
#include "radio_follow.h"

#include <QTcpSocket>
#include <QTimer>
#include <array>

namespace qz::link {
namespace {

// Read in small pieces: the reader refuses a hostile stream within one piece.
constexpr qint64 kReadChunk = 1024;

const QString kNoConnection = QStringLiteral("brak połączenia");
const QString kNoAnswer = QStringLiteral("brak odpowiedzi");
const QString kGarbled = QStringLiteral("niezrozumiała odpowiedź");

}  // namespace

RigFollower::RigFollower(RigAddress address, RigTiming timing, QObject* parent)
    : QObject(parent), address_(std::move(address)), socket_(new QTcpSocket(this)),
      pollTimer_(makeTimer(this, timing.poll, false)), deadline_(makeTimer(this, timing.patience, true)),
      retryTimer_(makeTimer(this, timing.retry, true))
{
    socket_->setReadBufferSize(kReadChunk * 4);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        deadline_->stop();
        pollTimer_->start();
        ask();
    });
    connect(socket_, &QTcpSocket::readyRead, this, &RigFollower::readAnswers);
    connect(socket_, &QTcpSocket::disconnected, this, [this] { lose(kNoConnection); });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] { lose(kNoConnection); });
    connect(pollTimer_, &QTimer::timeout, this, &RigFollower::ask);
    connect(deadline_, &QTimer::timeout, this,
            [this] { lose(socket_->state() == QAbstractSocket::ConnectedState ? kNoAnswer : kNoConnection); });
    connect(retryTimer_, &QTimer::timeout, this, &RigFollower::connectToRig);
    setState(kNoConnection);
}

void RigFollower::start() { connectToRig(); }

void RigFollower::connectToRig()
{
    reader_.reset();
    awaiting_ = Awaiting::Nothing;
    deadline_->start();
    socket_->connectToHost(fromAscii(address_.host), address_.port);
}

void RigFollower::ask()
{
    // A poll still unanswered is left to the deadline, so a slow rigctld is
    // never sent a growing queue of questions.
    if (awaiting_ != Awaiting::Nothing)
        return;
    awaiting_ = Awaiting::Frequency;
    deadline_->start();
    socket_->write(rig::kPollRequest.data(), static_cast<qint64>(rig::kPollRequest.size()));
}

void RigFollower::readAnswers()
{
    std::array<char, kReadChunk> chunk{};
    while (socket_->bytesAvailable() > 0) {
        const qint64 size = socket_->read(chunk.data(), kReadChunk);
        if (size <= 0)
            return;
        if (!reader_.feed(std::string_view(chunk.data(), static_cast<std::size_t>(size))))
            return lose(kGarbled);
        for (const rig::Reply& reply : reader_.takeReplies())
            if (!take(reply))
                return lose(kGarbled);
    }
}

bool RigFollower::take(const rig::Reply& reply)
{
    // A failing command may answer with its "RPRT" alone.
    const auto answers = [&reply](std::string_view command) {
        return reply.command == command || (reply.command.empty() && reply.result != 0);
    };
    switch (awaiting_) {
    case Awaiting::Frequency:
        if (!answers(rig::kFrequencyCommand))
            return false;
        frequencyAnswer_ = reply;
        awaiting_ = Awaiting::Mode;
        return true;
    case Awaiting::Mode: break;
    case Awaiting::Nothing: return false;
    }
    if (!answers(rig::kModeCommand))
        return false;
    awaiting_ = Awaiting::Nothing;
    deadline_->stop();
    if (const int failure = frequencyAnswer_.result != 0 ? frequencyAnswer_.result : reply.result; failure != 0) {
        setState(QStringLiteral("rigctld zgłasza błąd RPRT %1").arg(failure));
        return true;
    }
    const auto hertz = rig::frequencyOf(frequencyAnswer_);
    const auto mode = rig::modeOf(reply);
    if (!hertz || !mode)
        return false;
    setState(QStringLiteral("%1 MHz %2").arg(fromAscii(megahertzText(*hertz)), fromAscii(*mode)));
    emit tuned(fromAscii(bandEntryForFrequency(*hertz)), fromAscii(modeEntryForRadioMode(*mode)));
    return true;
}

void RigFollower::lose(const QString& why)
{
    // Aborting the socket reports its own disconnection: that is not news.
    if (retryTimer_->isActive())
        return;
    retryTimer_->start();
    pollTimer_->stop();
    deadline_->stop();
    socket_->abort();
    setState(why);
}

void RigFollower::setState(const QString& what)
{
    const QString state = QStringLiteral("Radio: %1 (rigctld %2)").arg(what, fromAscii(address_.text()));
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state_);
}

}  // namespace qz::link
