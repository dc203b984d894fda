#include "spot.h"

#include "text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qz {
namespace {

constexpr std::size_t kModeSsb = 0;
constexpr std::size_t kModeCw = 1;
// A line longer than any node sends is no spot.
constexpr std::size_t kMaxLine = 256;
constexpr std::size_t kMaxCall = 15;
// Nodes send at most some 30 bytes of either; the bounds keep a spot passed
// on (spotLineOf) within kMaxLine.
constexpr std::size_t kMaxSpotter = 20;
constexpr std::size_t kMaxComment = 180;

struct BandEdges {
    std::int64_t low;
    std::int64_t high;
    // Below this the band plan keeps CW (and data); above it, phone.
    std::int64_t phoneFrom;
};
constexpr std::array<BandEdges, 6> kBands{{
    {1'800'000, 2'000'000, 1'840'000},
    {3'500'000, 4'000'000, 3'600'000},
    {7'000'000, 7'300'000, 7'040'000},
    {14'000'000, 14'350'000, 14'100'000},
    {21'000'000, 21'450'000, 21'150'000},
    {28'000'000, 29'700'000, 28'300'000},
}};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::vector<std::string_view> wordsOf(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// "14025", "14025.1", "14025.15" kHz.
std::optional<std::int64_t> hertzOf(std::string_view text)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 6 || fraction.size() > 3 || !std::all_of(whole.begin(), whole.end(), isDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return std::nullopt;
    std::int64_t hertz = 0;
    for (const char c : whole)
        hertz = hertz * 10 + (c - '0');
    std::int64_t scale = 100;
    hertz *= 1000;
    for (const char c : fraction) {
        hertz += (c - '0') * scale;
        scale /= 10;
    }
    return hertz > 0 ? std::optional(hertz) : std::nullopt;
}

// Letters, digits and '/', with at least one letter and one digit.
bool isCallsign(std::string_view text)
{
    return !text.empty() && text.size() <= kMaxCall &&
           std::all_of(text.begin(), text.end(), [](char c) { return isLetter(c) || isDigit(c) || c == '/'; }) &&
           std::any_of(text.begin(), text.end(), isLetter) && std::any_of(text.begin(), text.end(), isDigit);
}

// "1234Z".
std::optional<int> minuteOfDayOf(std::string_view text)
{
    if (text.size() != 5 || (text[4] != 'Z' && text[4] != 'z') || !std::all_of(text.begin(), text.begin() + 4, isDigit))
        return std::nullopt;
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[2] - '0') * 10 + (text[3] - '0');
    if (hours > 23 || minutes > 59)
        return std::nullopt;
    return hours * 60 + minutes;
}

// "JO20", "FN20": some nodes put the spotter's square after the time.
bool isLocator(std::string_view text)
{
    return text.size() == 4 && isLetter(text[0]) && isLetter(text[1]) && isDigit(text[2]) && isDigit(text[3]);
}

// The line without its line end, bells and trailing blanks; nothing when
// it holds another control byte.
std::optional<std::string_view> cleanLine(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == '\a' || line.back() == ' '))
        line.remove_suffix(1);
    if (line.size() > kMaxLine ||
        std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
        return std::nullopt;
    return line;
}

}  // namespace

std::optional<Spot> parseSpot(std::string_view text)
{
    const auto line = cleanLine(text);
    if (!line)
        return std::nullopt;
    std::vector<std::string_view> words = wordsOf(*line);
    if (words.size() < 3 || words[0] != "DX" || !equalNoCase(words[1], "de"))
        return std::nullopt;
    // "W3OA-#:" "14025.1" or, glued, "DL8LAS-#:14025.1".
    const std::size_t colon = words[2].find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > kMaxSpotter)
        return std::nullopt;
    Spot spot;
    spot.spotter = std::string(words[2].substr(0, colon));
    std::vector<std::string_view> rest;
    if (colon + 1 < words[2].size())
        rest.push_back(words[2].substr(colon + 1));
    rest.insert(rest.end(), words.begin() + 3, words.end());
    if (!rest.empty() && isLocator(rest.back()))
        rest.pop_back();
    if (rest.size() < 3)
        return std::nullopt;
    const auto hertz = hertzOf(rest[0]);
    const auto minute = minuteOfDayOf(rest.back());
    if (!hertz || !minute || !isCallsign(rest[1]))
        return std::nullopt;
    spot.hertz = *hertz;
    spot.call = asciiUpper(std::string(rest[1]));
    spot.minuteOfDay = *minute;
    for (std::size_t i = 2; i + 1 < rest.size(); ++i) {
        if (!spot.comment.empty())
            spot.comment += ' ';
        spot.comment += rest[i];
    }
    if (spot.comment.size() > kMaxComment)
        return std::nullopt;
    return spot;
}

std::optional<std::size_t> spotBandOf(std::int64_t hertz)
{
    for (std::size_t i = 0; i < kBands.size(); ++i)
        if (hertz >= kBands[i].low && hertz <= kBands[i].high)
            return i;
    return std::nullopt;
}

std::size_t spotModeOf(const Spot& spot)
{
    for (const std::string_view word : wordsOf(spot.comment)) {
        const std::string upper = asciiUpper(std::string(word));
        if (upper == "CW")
            return kModeCw;
        if (upper == "SSB" || upper == "USB" || upper == "LSB" || upper == "PH")
            return kModeSsb;
    }
    const auto band = spotBandOf(spot.hertz);
    return band && spot.hertz >= kBands[*band].phoneFrom ? kModeSsb : kModeCw;
}

std::string spotLineOf(const Spot& spot)
{
    const std::string hertz = std::to_string(spot.hertz % 1000 + 1000);
    const int hours = spot.minuteOfDay / 60;
    const int minutes = spot.minuteOfDay % 60;
    std::string time = {static_cast<char>('0' + hours / 10), static_cast<char>('0' + hours % 10),
                        static_cast<char>('0' + minutes / 10), static_cast<char>('0' + minutes % 10), 'Z'};
    return "DX de " + spot.spotter + ": " + std::to_string(spot.hertz / 1000) + "." + hertz.substr(1) + " " +
           spot.call + " " + (spot.comment.empty() ? "" : spot.comment + " ") + time;
}

std::string kilohertzText(std::int64_t hertz)
{
    const std::int64_t tenths = (hertz + 50) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}  // namespace qz
