#pragma once
// Listens to a radio through Hamlib's rigctld: asks for the frequency and the
// mode a few times a second and reports the band and mode list entries they
// give. It only ever asks, never sets. Everything is asynchronous on the
// window's thread, so a slow, silent, garbled or vanished rigctld never holds
// up a key; a lost connection is tried again quietly.

#include "rig_protocol.h"
#include "rig_setting.h"

#include <QObject>
#include <QString>
#include <chrono>

class QTcpSocket;
class QTimer;

namespace qz::link {

struct RigTiming {
    std::chrono::milliseconds poll{200};
    // How long a connection or an answer may take before rigctld counts as gone.
    std::chrono::milliseconds patience{2000};
    std::chrono::milliseconds retry{3000};
};

class RigFollower : public QObject {
    Q_OBJECT
public:
    RigFollower(RigAddress address, RigTiming timing, QObject* parent = nullptr);

    // Connects, and keeps connecting whenever the connection is lost.
    void start();

    // The state for the operator, e.g. "Radio: 14,025 MHz CW (rigctld localhost:4532)".
    const QString& state() const { return state_; }

signals:
    // Every answered poll: the band and mode list entries of the radio's
    // frequency and mode, each empty when the list has none for it.
    void tuned(const QString& band, const QString& mode);
    void stateChanged(const QString& state);

private:
    enum class Awaiting { Nothing, Frequency, Mode };

    void connectToRig();
    void ask();
    void readAnswers();
    // False when the answer is not the one awaited.
    bool take(const rig::Reply& reply);
    void lose(const QString& why);
    void setState(const QString& what);

    RigAddress address_;
    QTcpSocket* socket_ = nullptr;
    QTimer* pollTimer_ = nullptr;
    QTimer* deadline_ = nullptr;
    QTimer* retryTimer_ = nullptr;
    rig::ReplyReader reader_;
    Awaiting awaiting_ = Awaiting::Nothing;
    rig::Reply frequencyAnswer_;
    QString state_;
};

}  // namespace qz::link
