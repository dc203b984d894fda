#pragma once
// What this computer knows of the station's other computers from what they
// tell: which are connected, and how far each clock is from ours. The program never sets the clock; it only
// says when two clocks differ by more than the contest can bear.

#include "share_message.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace qz {

// Two clocks further apart than this are said to differ.
inline constexpr std::int64_t kClockTolerance = 2000;

class SharePeers {
public:
    struct Peer {
        bool online = false;
        // Their clock less ours, from the last message that came straight
        // from them (a kept message tells nothing of the clock now).
        std::optional<std::int64_t> clockOffset;
    };

    explicit SharePeers(std::string self);

    // `live`: sent just now, not kept by the broker from earlier. A computer
    // counts as connected once it is heard live.
    void heard(const Presence& presence, std::int64_t ourClock, bool live);
    void heardEvent(const std::string& computer, std::int64_t sentAt, std::int64_t ourClock, bool live);
    // The broker is gone: nobody is known to be connected.
    void lostBroker();

    // The connected computers, this one among them.
    int online() const;
    bool isOnline(const std::string& computer) const;
    // The other computers whose clock differs from ours, with the difference.
    std::map<std::string, std::int64_t> clockDifferences() const;
    const std::map<std::string, Peer>& peers() const { return peers_; }
    const std::string& self() const { return self_; }

private:
    std::string self_;
    std::map<std::string, Peer> peers_;
};

}  // namespace qz
