#include "cwdaemon_keyer.h"

#include "codec.h"
#include "cwdaemon_protocol.h"
#include "morse_timing.h"

#include <QTimer>
#include <QUdpSocket>
#include <array>

namespace qz::link {
namespace {

// cwdaemon answers with a tag or "break"; anything longer is cut.
constexpr qint64 kMaxReply = 64;
// The operator sends a few messages ahead at most; more is a key held down.
constexpr std::size_t kMaxOutbox = 64;

}  // namespace

CwdaemonKeyer::CwdaemonKeyer(NetworkAddress address, std::chrono::milliseconds patience, QObject* parent)
    : CwKeyer(parent), address_(std::move(address)), patience_(patience), socket_(new QUdpSocket(this)),
      deadline_(new QTimer(this))
{
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, &CwdaemonKeyer::noAnswer);
    connect(socket_, &QUdpSocket::connected, this, &CwdaemonKeyer::flushOutbox);
    connect(socket_, &QUdpSocket::readyRead, this, &CwdaemonKeyer::readReplies);
    // A refused datagram or an unknown host: the texts would go nowhere.
    connect(socket_, &QUdpSocket::errorOccurred, this, [this] {
        outbox_.clear();
        setProblem(notAnswering());
    });
}

void CwdaemonKeyer::sendNext()
{
    while (!sending_ && !queue_.empty()) {
        Text next = std::move(queue_.front());
        queue_.pop_front();
        const std::vector<std::string> datagrams = cwdaemon::messageRequests(++tag_, next.text);
        // Blanks only: nothing to key, and nothing would be echoed.
        if (datagrams.empty()) {
            finishLater(next.id, false);
            continue;
        }
        for (const std::string& datagram : datagrams)
            transmit(datagram);
        sending_ = std::move(next);
        awaitAnswer();
    }
}

void CwdaemonKeyer::abort()
{
    transmit(cwdaemon::abortRequest());
    // cwdaemon says "break" for the text it was keying.
    if (sending_)
        deadline_->start(patience_);
    dropAll();
}

void CwdaemonKeyer::setSpeed(int wpm)
{
    wpm_ = wpm;
    transmit(cwdaemon::speedRequest(wpm));
    // A slower speed lengthens the text being sent.
    if (sending_)
        awaitAnswer();
}

QString CwdaemonKeyer::where() const { return QStringLiteral("cwdaemon %1").arg(fromAscii(address_.text())); }

void CwdaemonKeyer::transmit(const std::string& datagram)
{
    if (socket_->state() == QAbstractSocket::ConnectedState) {
        socket_->write(datagram.data(), static_cast<qint64>(datagram.size()));
        return;
    }
    if (outbox_.size() < kMaxOutbox)
        outbox_.push_back(datagram);
    if (socket_->state() == QAbstractSocket::UnconnectedState)
        socket_->connectToHost(fromAscii(address_.host), address_.port);
}

void CwdaemonKeyer::flushOutbox()
{
    for (const std::string& datagram : std::exchange(outbox_, {}))
        socket_->write(datagram.data(), static_cast<qint64>(datagram.size()));
}

void CwdaemonKeyer::readReplies()
{
    std::array<char, kMaxReply> reply{};
    while (socket_->hasPendingDatagrams()) {
        const qint64 size = socket_->readDatagram(reply.data(), kMaxReply);
        if (size < 0)
            return;
        setProblem({});
        const cwdaemon::Reply answer =
            cwdaemon::parseReply(std::string_view(reply.data(), static_cast<std::size_t>(size)));
        if (!sending_) {
            deadline_->stop();
            continue;
        }
        // An echo of a text already given up is late news, not this text's.
        if (answer.kind != cwdaemon::ReplyKind::Sent || answer.tag != tag_)
            continue;
        deadline_->stop();
        finishSending(false);
    }
}

void CwdaemonKeyer::awaitAnswer() { deadline_->start(morse::duration(sending_->text, wpm_) + patience_); }

void CwdaemonKeyer::noAnswer()
{
    setProblem(notAnswering());
    if (sending_)
        finishSending(true);
}

QString CwdaemonKeyer::notAnswering() const
{
    return QStringLiteral("cwdaemon nie odpowiada (%1)").arg(fromAscii(address_.text()));
}

}  // namespace qz::link
