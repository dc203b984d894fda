#include "rigctld_session.h"

#include "codec.h"
#include "link_timer.h"

#include <QTcpSocket>
#include <QTimer>
#include <array>

namespace qz::link {
namespace {

// Read in small pieces: the reader refuses a hostile stream within one piece.
constexpr qint64 kReadChunk = 1024;
// A few texts ahead and the speed: more is a key held down.
constexpr std::size_t kMaxQueued = 32;
// Asked on every connection, so that a rigctld that accepts and then says
// nothing is found out before it is needed.
constexpr std::string_view kProbe = "+f\n";

void failLater(QObject* context, RigctldSession::Answer answer)
{
    QTimer::singleShot(0, context, [answer = std::move(answer)] { answer(std::nullopt); });
}

}  // namespace

RigctldSession::RigctldSession(RigAddress address, SessionTiming timing, QObject* parent)
    : QObject(parent), address_(std::move(address)), timing_(timing), socket_(new QTcpSocket(this)),
      deadline_(makeTimer(this, {})), retryTimer_(makeTimer(this, {}))
{
    socket_->setReadBufferSize(kReadChunk * 4);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        deadline_->stop();
        emit connected();
        ask(std::string(kProbe), rig::kFrequencyCommand, this, [](const auto&) {});
    });
    connect(socket_, &QTcpSocket::readyRead, this, &RigctldSession::readAnswers);
    const auto noConnection = [this] { lose(QStringLiteral("Brak połączenia z rigctld (%1)")); };
    connect(socket_, &QTcpSocket::disconnected, this, noConnection);
    connect(socket_, &QTcpSocket::errorOccurred, this, noConnection);
    connect(deadline_, &QTimer::timeout, this, [this, noConnection] {
        if (socket_->state() != QAbstractSocket::ConnectedState)
            return noConnection();
        lose(QStringLiteral("rigctld nie odpowiada (%1)"));
    });
    retryTimer_->setInterval(timing_.retry);
    connect(retryTimer_, &QTimer::timeout, this, &RigctldSession::connectToRigctld);
}

void RigctldSession::start() { connectToRigctld(); }

void RigctldSession::connectToRigctld()
{
    reader_.reset();
    deadline_->start(timing_.patience);
    socket_->connectToHost(fromAscii(address_.host), address_.port);
}

void RigctldSession::ask(std::string request, std::string_view command, QObject* context, Answer answer)
{
    enqueue({std::move(request), std::string(command), context, std::move(answer)}, false);
}

void RigctldSession::askFirst(std::string request, std::string_view command, QObject* context, Answer answer)
{
    enqueue({std::move(request), std::string(command), context, std::move(answer)}, true);
}

void RigctldSession::enqueue(Command command, bool first)
{
    // Between connections a command would reach the radio late, if at all.
    if (retryTimer_->isActive())
        return failLater(command.context, std::move(command.answer));
    if (queue_.size() == kMaxQueued) {
        setProblem(QStringLiteral("rigctld nie nadąża (%1)").arg(fromAscii(address_.text())));
        return failLater(command.context, std::move(command.answer));
    }
    if (first)
        queue_.push_front(std::move(command));
    else
        queue_.push_back(std::move(command));
    writeNext();
}

void RigctldSession::writeNext()
{
    if (socket_->state() != QAbstractSocket::ConnectedState || !written_.empty() || queue_.empty())
        return;
    written_.push_back(std::move(queue_.front()));
    queue_.pop_front();
    const std::string& request = written_.back().request;
    socket_->write(request.data(), static_cast<qint64>(request.size()));
    // On the wire now, not after the next turn of the event loop.
    socket_->flush();
    deadline_->start(timing_.patience);
}

void RigctldSession::sendBeforeClosing(const std::string& request, std::string_view command,
                                       std::chrono::milliseconds bound)
{
    const int boundMs = static_cast<int>(bound.count());
    if (socket_->state() == QAbstractSocket::UnconnectedState) {
        retryTimer_->stop();
        connectToRigctld();
    }
    if (socket_->state() != QAbstractSocket::ConnectedState && !socket_->waitForConnected(boundMs))
        return;
    written_.push_back({request, std::string(command), nullptr, {}});
    socket_->write(request.data(), static_cast<qint64>(request.size()));
    socket_->waitForBytesWritten(boundMs);
}

QString RigctldSession::where() const { return QStringLiteral("rigctld %1").arg(fromAscii(address_.text())); }

void RigctldSession::readAnswers()
{
    std::array<char, kReadChunk> chunk{};
    while (socket_->bytesAvailable() > 0) {
        const qint64 size = socket_->read(chunk.data(), kReadChunk);
        if (size <= 0)
            return;
        const bool readable = reader_.feed(std::string_view(chunk.data(), static_cast<std::size_t>(size)));
        for (const rig::Reply& reply : reader_.takeReplies())
            if (!take(reply))
                return lose(QStringLiteral("Niezrozumiała odpowiedź rigctld (%1)"));
        if (!readable)
            return lose(QStringLiteral("Niezrozumiała odpowiedź rigctld (%1)"));
    }
}

bool RigctldSession::take(const rig::Reply& reply)
{
    // A failing command may answer with its "RPRT" alone.
    if (written_.empty() || (!reply.command.empty() && reply.command != written_.front().command))
        return false;
    Command answered = std::move(written_.front());
    written_.pop_front();
    deadline_->stop();
    setProblem({});
    if (answered.context)
        answered.answer(reply);
    if (!written_.empty())
        deadline_->start(timing_.patience);
    writeNext();
    return true;
}

void RigctldSession::lose(const QString& why)
{
    // Aborting the socket reports its own disconnection: that is not news.
    if (retryTimer_->isActive())
        return;
    retryTimer_->start();
    deadline_->stop();
    socket_->abort();
    setProblem(why.arg(fromAscii(address_.text())));
    emit lost();
    std::deque<Command> failed = std::exchange(written_, {});
    for (Command& command : std::exchange(queue_, {}))
        failed.push_back(std::move(command));
    for (const Command& command : failed)
        if (command.context)
            command.answer(std::nullopt);
}

void RigctldSession::setProblem(const QString& problem)
{
    if (problem == problem_)
        return;
    problem_ = problem;
    emit problemChanged(problem_);
}

}  // namespace qz::link
