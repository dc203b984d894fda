#pragma once
// CW through cwdaemon on the station's network (UDP). Each text goes out
// tagged, and cwdaemon echoes the tag once it has keyed the text: that is when
// `finished` comes. cwdaemon keeps one tag at a time, so the next text is
// handed over only then. A text that is not echoed within its own length plus
// some patience counts as dropped, and cwdaemon as not answering until it
// answers again. Nothing here waits: the socket is heard between other events.

#include "address_setting.h"
#include "cw_keyer.h"
#include "cw_messages.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class QTimer;
class QUdpSocket;

namespace qz::link {

class CwdaemonKeyer : public CwKeyer {
    Q_OBJECT
public:
    // `patience`: how long past a text's own length the echo may take.
    CwdaemonKeyer(NetworkAddress address, std::chrono::milliseconds patience, QObject* parent = nullptr);

    void abort() override;
    void setSpeed(int wpm) override;
    QString where() const override;

private:
    void sendNext() override;
    void transmit(const std::string& datagram);
    void flushOutbox();
    void readReplies();
    void awaitAnswer();
    void noAnswer();
    QString notAnswering() const;

    NetworkAddress address_;
    std::chrono::milliseconds patience_;
    QUdpSocket* socket_;
    // Runs while an answer is due: the echo of the text being sent, or the
    // "break" of an abort.
    QTimer* deadline_;
    std::uint32_t tag_ = 0;
    // Datagrams written before the host's address is known.
    std::vector<std::string> outbox_;
    int wpm_ = MessageBook().wpm;  // until told: the setting's own default
};

}  // namespace qz::link
