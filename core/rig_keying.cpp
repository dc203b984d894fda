#include "rig_keying.h"

#include "cw_messages.h"
#include "text.h"

#include <algorithm>

namespace qz::rig {

std::vector<std::string> sendMorseRequests(std::string_view text)
{
    std::vector<std::string> requests = piecesAtBlanks(oneLineAscii(text), kMaxMorsePiece);
    for (std::string& piece : requests)
        piece.insert(0, "+b").append("\n");
    return requests;
}

std::string keySpeedRequest(int wpm)
{
    return "+\\set_level KEYSPD " + std::to_string(std::clamp(wpm, kMinWpm, kMaxWpm)) + "\n";
}

std::string setPttRequest(bool on) { return on ? "+\\set_ptt 1\n" : "+\\set_ptt 0\n"; }

bool succeeded(const Reply& reply, std::string_view command) { return reply.result == 0 && reply.command == command; }

std::optional<bool> pttOf(const Reply& reply)
{
    if (!succeeded(reply, kGetPttCommand))
        return std::nullopt;
    // 1, or 2 and 3 for PTT through the microphone or the data port.
    const auto ptt = reply.value("PTT");
    if (!ptt || ptt->size() != 1 || (*ptt)[0] < '0' || (*ptt)[0] > '3')
        return std::nullopt;
    return *ptt != "0";
}

}  // namespace qz::rig
