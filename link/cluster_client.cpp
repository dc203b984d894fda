#include "cluster_client.h"

#include "codec.h"

#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

namespace qz::link {
namespace {

// Longer than any line a node sends; a longer one is dropped.
constexpr qsizetype kMaxLine = 512;

const QString kNoConnection = QStringLiteral("brak połączenia");
const QString kConnected = QStringLiteral("połączony");
const QString kNoAnswer = QStringLiteral("węzeł nie odpowiada");

// DX Spider and CC Cluster say "login: ", AR-Cluster "Please enter your call: ".
bool asksForLogin(const QByteArray& text)
{
    const QByteArray lower = text.toLower();
    return lower.contains("login") || lower.contains("your call") || lower.contains("callsign");
}

}  // namespace

ClusterClient::ClusterClient(ClusterSetting setting, ClusterTiming timing, QObject* parent)
    : QObject(parent), setting_(std::move(setting)), timing_(timing), socket_(new QTcpSocket(this)),
      deadline_(new QTimer(this)), retryTimer_(new QTimer(this)), pause_(timing.firstPause)
{
    deadline_->setSingleShot(true);
    retryTimer_->setSingleShot(true);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        setState(kConnected);
        // A node that never asks is given the call once it has had time to.
        deadline_->start(timing_.patience);
    });
    connect(socket_, &QTcpSocket::readyRead, this, &ClusterClient::read);
    connect(socket_, &QTcpSocket::disconnected, this, [this] { lose(kNoConnection); });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] { lose(kNoConnection); });
    connect(deadline_, &QTimer::timeout, this, [this] {
        if (socket_->state() == QAbstractSocket::ConnectedState)
            logIn();
        else
            lose(kNoAnswer);
    });
    connect(retryTimer_, &QTimer::timeout, this, &ClusterClient::connectToNode);
    setState(kNoConnection);
}

void ClusterClient::start() { connectToNode(); }

void ClusterClient::connectToNode()
{
    pending_.clear();
    skipping_ = false;
    loggedIn_ = false;
    deadline_->start(timing_.patience);
    socket_->connectToHost(fromAscii(setting_.node.host), setting_.node.port);
}

void ClusterClient::read()
{
    pending_ += socket_->readAll();
    qsizetype end = 0;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QByteArray line = pending_.left(end);
        pending_.remove(0, end + 1);
        if (skipping_)
            skipping_ = false;
        else
            take(line);
    }
    if (pending_.size() > kMaxLine) {
        ++dropped_;
        pending_.clear();
        skipping_ = true;
    }
    // A prompt ends without a line break.
    if (!loggedIn_ && asksForLogin(pending_)) {
        pending_.clear();
        logIn();
    }
}

void ClusterClient::take(const QByteArray& line)
{
    if (line.size() > kMaxLine) {
        ++dropped_;
        return;
    }
    const auto spot = parseSpot(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));
    if (!spot) {
        if (!loggedIn_ && asksForLogin(line))
            logIn();
        else if (!line.trimmed().isEmpty())
            ++dropped_;
        return;
    }
    ++spots_;
    pause_ = timing_.firstPause;
    emit spotted(*spot);
}

void ClusterClient::logIn()
{
    if (loggedIn_)
        return;
    loggedIn_ = true;
    deadline_->stop();
    const std::string line = setting_.login + "\r\n";
    socket_->write(line.data(), static_cast<qint64>(line.size()));
}

void ClusterClient::lose(const QString& why)
{
    // Aborting the socket reports its own disconnection: that is not news.
    if (retryTimer_->isActive())
        return;
    deadline_->stop();
    retryTimer_->start(pause_);
    pause_ = std::min(pause_ * 2, timing_.longestPause);
    socket_->abort();
    setState(why);
}

void ClusterClient::setState(const QString& what)
{
    const QString state = QStringLiteral("Klaster: %1 (%2)").arg(what, fromAscii(setting_.node.text()));
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state_);
}

}  // namespace qz::link
