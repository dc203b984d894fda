#pragma once
// A keyer outside the program that sends CW: cwdaemon, or the radio's own
// keyer through rigctld. Sending never waits: a text is handed over and the
// keyer says by its signals when it has been sent and whether the keyer is
// answering. The text is already what CW can send (upper case, A-Z 0-9 and a
// few signs), in ASCII.

#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace qz::link {

class CwKeyer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Queues the text behind what is being sent; the number it returns names
    // the text in `finished`. A full queue drops the text at once.
    std::uint64_t send(const std::string& text);
    // Stops what is being sent and drops what is queued, at once.
    virtual void abort() = 0;
    // Words per minute, from now on.
    virtual void setSpeed(int wpm) = 0;
    // Where the CW goes, for the operator: "cwdaemon localhost:6789".
    virtual QString where() const = 0;

signals:
    // The text has been sent, or was dropped by an abort.
    void finished(std::uint64_t message, bool aborted);
    // Why the keyer is not answering or refused something (in Polish), or
    // empty once it answers again.
    void problemChanged(const QString& problem);

protected:
    struct Text {
        std::uint64_t id = 0;
        std::string text;
    };

    // Hands queued texts to the keyer while it is not sending one.
    virtual void sendNext() = 0;
    // The text being sent is done with: the next one goes.
    void finishSending(bool aborted);
    // The text being sent and every queued one are dropped.
    void dropAll();
    // After `send` has returned the number, so that it can be recognised.
    void finishLater(std::uint64_t id, bool aborted);
    void setProblem(const QString& problem);

    std::deque<Text> queue_;
    std::optional<Text> sending_;

private:
    std::uint64_t nextId_ = 1;
    QString problem_;
};

}  // namespace qz::link
