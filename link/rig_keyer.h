#pragma once
// CW through the radio's own keyer, over the rigctld session: each text is
// one send_morse (or a few, for a long one). rigctld cannot tell when the
// radio has keyed a text, so a text counts as sent after the time it takes at
// the speed; the next one is handed over only then, so that Escape still
// drops everything behind it even on a radio that cannot stop (Hamlib answers
// stop_morse with "not available" for most of them).

#include "cw_keyer.h"
#include "cw_messages.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace qz::link {

class RigctldSession;

class RigKeyer : public CwKeyer {
    Q_OBJECT
public:
    explicit RigKeyer(std::shared_ptr<RigctldSession> session, QObject* parent = nullptr);

    void abort() override;
    void setSpeed(int wpm) override;
    QString where() const override;

private:
    void sendNext() override;
    void drop(std::uint64_t id, const QString& why);

    std::shared_ptr<RigctldSession> session_;
    QTimer* onAir_;
    int wpm_ = MessageBook().wpm;  // until told: the setting's own default
};

}  // namespace qz::link
