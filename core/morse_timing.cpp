#include "morse_timing.h"

#include "cw_messages.h"

#include <algorithm>
#include <cmath>

namespace qz::morse {
namespace {

constexpr double kUnitMsAtOneWpm = 1200.0;
constexpr int kLetterGap = 3;
constexpr int kExtraWordGap = 4;

// The codes of what a contest message holds.
constexpr std::string_view kLetters[] = {".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
                                         ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
                                         "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
constexpr std::string_view kDigits[] = {"-----", ".----", "..---", "...--", "....-",
                                        ".....", "-....", "--...", "---..", "----."};

std::string_view codeOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return kLetters[c - 'A'];
    if (c >= 'a' && c <= 'z')
        return kLetters[c - 'a'];
    if (c >= '0' && c <= '9')
        return kDigits[c - '0'];
    switch (c) {
    case '/': return "-..-.";
    case '=': return "-...-";
    case '.': return ".-.-.-";
    case ',': return "--..--";
    case '+': return ".-.-.";
    case '-': return "-....-";
    default: return "..--..";  // "?", and the length of anything unknown
    }
}

int units(std::string_view code)
{
    int total = static_cast<int>(code.size()) - 1;  // the gaps inside
    for (const char element : code)
        total += element == '-' ? 3 : 1;
    return total;
}

}  // namespace

std::chrono::milliseconds duration(std::string_view text, int wpm)
{
    int total = 0;
    for (const char c : text)
        total += c == ' ' ? kExtraWordGap : units(codeOf(c)) + kLetterGap;
    const double unitMs = kUnitMsAtOneWpm / std::clamp(wpm, kMinWpm, kMaxWpm);
    return std::chrono::milliseconds(std::lround(total * unitMs));
}

}  // namespace qz::morse
