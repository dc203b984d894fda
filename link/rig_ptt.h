#pragma once
// The transmitter's PTT through the rigctld session: set_ptt, then get_ptt
// to see that the radio did it. PTT is never left on: whenever the
// connection is made again after PTT may have been on, set_ptt 0 goes before
// anything else, and closing the program drops it too.

#include "ptt_switch.h"

#include <memory>

namespace qz::link {

class RigctldSession;

class RigPtt : public PttSwitch {
    Q_OBJECT
public:
    explicit RigPtt(std::shared_ptr<RigctldSession> session, QObject* parent = nullptr);
    ~RigPtt() override;
    RigPtt(const RigPtt&) = delete;
    RigPtt& operator=(const RigPtt&) = delete;

    void key(bool on) override;

private:
    void ask(bool on, bool first);
    void confirm(bool on);
    void setProblem(const QString& problem);

    std::shared_ptr<RigctldSession> session_;
    bool wanted_ = false;
    // From asking for transmit until the radio confirms receive.
    bool mayBeOn_ = false;
    // The connection was lost while PTT may have been on.
    bool dropWhenConnected_ = false;
    QString problem_;
};

}  // namespace qz::link
