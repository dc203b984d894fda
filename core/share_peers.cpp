#include "share_peers.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace qz {
namespace {

void noteClock(SharePeers::Peer& peer, std::int64_t theirClock, std::int64_t ourClock, bool live)
{
    if (live)
        peer.clockOffset = theirClock - ourClock;
}

}  // namespace

SharePeers::SharePeers(std::string self) : self_(std::move(self)) {}

void SharePeers::heard(const Presence& presence, std::int64_t ourClock, bool live)
{
    Peer& peer = peers_[presence.computer];
    // A kept "online" may be left from before a restart of the broker by a
    // computer long gone: only its next heartbeat says it is there.
    peer.online = presence.online && live;
    if (presence.computer != self_)
        noteClock(peer, presence.utcMilliseconds, ourClock, live && presence.online);
}

void SharePeers::heardEvent(const std::string& computer, std::int64_t sentAt, std::int64_t ourClock, bool live)
{
    if (computer != self_)
        noteClock(peers_[computer], sentAt, ourClock, live);
}

void SharePeers::lostBroker()
{
    for (auto& entry : peers_)
        entry.second.online = false;
}

int SharePeers::online() const
{
    return static_cast<int>(
        std::count_if(peers_.begin(), peers_.end(), [](const auto& entry) { return entry.second.online; }));
}

bool SharePeers::isOnline(const std::string& computer) const
{
    const auto peer = peers_.find(computer);
    return peer != peers_.end() && peer->second.online;
}

std::map<std::string, std::int64_t> SharePeers::clockDifferences() const
{
    std::map<std::string, std::int64_t> differences;
    for (const auto& [computer, peer] : peers_)
        if (peer.online && peer.clockOffset && std::llabs(*peer.clockOffset) > kClockTolerance)
            differences.emplace(computer, *peer.clockOffset);
    return differences;
}

}  // namespace qz
