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

    std::uint64_t send(const std::string& text) override;
    void abort() override;
    void setSpeed(int wpm) override;
    QString where() const override;

private:
    struct Text {
        std::uint64_t id = 0;
        std::string text;
    };

    void sendNext();
    void drop(std::uint64_t id, const QString& why);
    void finishLater(std::uint64_t id, bool aborted);
    void setProblem(const QString& problem);

    std::shared_ptr<RigctldSession> session_;
    std::deque<Text> queue_;
    // Handed to rigctld, and until its time is up, on the air.
    std::optional<Text> sending_;
    QTimer* onAir_;
    std::uint64_t nextId_ = 1;
    int wpm_ = MessageBook().wpm;  // until told: the setting's own default
    QString problem_;
};

}  // namespace qz::link
