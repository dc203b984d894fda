#include "message_expansion.h"

#include "text.h"

#include <algorithm>
#include <optional>

namespace qz {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSendable(char c)
{
    return (c >= 'A' && c <= 'Z') || isDigit(c) || c == ' ' ||
           std::string_view("/?.,=+-").find(c) != std::string_view::npos;
}

// Numbers are cut the contest way: 0 as T, 9 as N.
std::string cut(std::string number)
{
    if (number.empty() || !std::all_of(number.begin(), number.end(), isDigit))
        return number;
    std::replace(number.begin(), number.end(), '0', 'T');
    std::replace(number.begin(), number.end(), '9', 'N');
    return number;
}

// The value of the place holder `name` (without its braces); nothing for a name that is none.
std::optional<std::string> fieldValue(std::string_view name, const MessageFields& fields, MessageMode mode,
                                      bool cutNumbers)
{
    const std::string key = asciiUpper(std::string(name));
    const bool cw = mode == MessageMode::Cw;
    if (key == "MYCALL")
        return trimmed(fields.mycall);
    if (key == "CALL")
        return trimmed(fields.call);
    if (key == "EXCH") {
        std::string exch = trimmed(fields.exch);
        return cw && cutNumbers ? cut(std::move(exch)) : exch;
    }
    if (key == "RST") {
        std::string rst = trimmed(fields.rst);
        if (cw && rst == "599")
            return std::string("5NN");
        return cw && cutNumbers ? cut(std::move(rst)) : rst;
    }
    return std::nullopt;
}

// What a keyer can send of `text`, on one line with single blanks.
std::string sendable(std::string_view text)
{
    std::string result;
    for (char c : asciiUpper(std::string(text))) {
        // A tab or a line break parts words as a blank does.
        if (static_cast<unsigned char>(c) < ' ')
            c = ' ';
        if (!isSendable(c) || (c == ' ' && (result.empty() || result.back() == ' ')))
            continue;
        result += c;
    }
    if (!result.empty() && result.back() == ' ')
        result.pop_back();
    return result;
}

}  // namespace

std::string expandMessage(std::string_view pattern, const MessageFields& fields, MessageMode mode, bool cutNumbers)
{
    std::string text;
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] == '{') {
            const std::size_t close = pattern.find('}', i);
            if (close != std::string_view::npos) {
                if (auto value = fieldValue(pattern.substr(i + 1, close - i - 1), fields, mode, cutNumbers)) {
                    text += *value;
                    i = close + 1;
                    continue;
                }
            }
        }
        text += pattern[i++];
    }
    return mode == MessageMode::Cw ? sendable(text) : text;
}

}  // namespace qz
