#include "rig_keying.h"

#include "keying_text.h"

#include <algorithm>

namespace qz::rig {

std::vector<std::string> sendMorseRequests(std::string_view text)
{
    std::vector<std::string> requests = keying::pieces(text, kMaxMorsePiece);
    for (std::string& request : requests)
        request = "+b" + request + "\n";
    return requests;
}

std::string keySpeedRequest(int wpm) { return "+\\set_level KEYSPD " + std::to_string(std::clamp(wpm, 4, 60)) + "\n"; }

std::string setPttRequest(bool on) { return on ? "+\\set_ptt 1\n" : "+\\set_ptt 0\n"; }

bool succeeded(const Reply& reply, std::string_view command) { return reply.result == 0 && reply.command == command; }

std::optional<bool> pttOf(const Reply& reply)
{
    if (!succeeded(reply, kGetPttCommand))
        return std::nullopt;
    const auto ptt = reply.value("PTT");
    if (ptt == "0")
        return false;
    if (ptt == "1" || ptt == "2" || ptt == "3")
        return true;
    return std::nullopt;
}

}  // namespace qz::rig
