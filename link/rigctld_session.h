#pragma once
// One lasting connection to rigctld for what keys the radio: CW through the
// radio's keyer and PTT. (Fresh connections per command were reset now and
// then.) Commands go in rigctld's extended form, one at a time, each answer
// awaited at most `patience`: rigctld leaves some commands unanswered, and
// then the connection is given up, since later answers could no longer be
// told apart. A lost connection is made again after a pause; what was queued
// is failed at once rather than sent late. Nothing here waits, except the
// last words before the program closes.

#include "rig_protocol.h"
#include "rig_setting.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QTcpSocket;
class QTimer;

namespace qz::link {

struct SessionTiming {
    // For the connection and for each answer.
    std::chrono::milliseconds patience{2000};
    std::chrono::milliseconds retry{3000};
};

class RigctldSession : public QObject {
    Q_OBJECT
public:
    // The reply, or nothing when rigctld did not answer in time or the
    // connection was lost (the session says why by problemChanged).
    using Answer = std::function<void(const std::optional<rig::Reply>& reply)>;

    RigctldSession(RigAddress address, SessionTiming timing, QObject* parent = nullptr);

    // Connects, and keeps connecting whenever the connection is lost.
    void start();

    // Queues `request` ("+\\set_ptt 1\n"), answered by `command`'s reply.
    // `answer` is never called once `context` is gone, nor from inside ask().
    void ask(std::string request, std::string_view command, QObject* context, Answer answer);
    // The same, before everything queued: for what must reach the radio first.
    void askFirst(std::string request, std::string_view command, QObject* context, Answer answer);
    // Writes `request` at once, connecting if need be, and waits at most
    // `bound` for each step: for the last command before the program closes.
    void sendBeforeClosing(const std::string& request, std::string_view command, std::chrono::milliseconds bound);

    // "rigctld localhost:4532".
    QString where() const;

signals:
    // Every time the connection is made, and every time it is lost.
    void connected();
    void lost();
    // Why rigctld cannot be used (in Polish), or empty once it answers again.
    void problemChanged(const QString& problem);

private:
    struct Command {
        std::string request;
        std::string command;
        QPointer<QObject> context;
        Answer answer;
    };

    void enqueue(Command command, bool first);
    void connectToRigctld();
    void writeNext();
    void readAnswers();
    // False when the reply answers nothing that was asked.
    bool take(const rig::Reply& reply);
    void lose(const QString& why);
    void setProblem(const QString& problem);

    RigAddress address_;
    SessionTiming timing_;
    QTcpSocket* socket_;
    QTimer* deadline_;
    QTimer* retryTimer_;
    rig::ReplyReader reader_;
    std::deque<Command> queue_;
    // Written, with their answers due in this order.
    std::deque<Command> written_;
    QString problem_;
};

}  // namespace qz::link
