#include "text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace qz {
namespace {
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

template <typename Char>
bool isControl(Char c)
{
    const auto code = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Char>>(c));
    if (code < 0x20 || code == 0x7F)
        return true;
    if constexpr (sizeof(Char) > 1)
        return (code >= 0x80 && code < 0xA0) || code == 0x2028 || code == 0x2029;
    return false;
}

template <typename Line>
void sortLinesNoCase(std::vector<Line>& lines)
{
    std::stable_sort(lines.begin(), lines.end(), LessNoCase{});
}

template <typename Line>
std::size_t positionNoCase(const std::vector<Line>& sorted, std::string_view line)
{
    const auto it = std::upper_bound(sorted.begin(), sorted.end(), line, LessNoCase{});
    return static_cast<std::size_t>(it - sorted.begin());
}
}  // namespace

std::string asciiUpper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), upper);
    return text;
}

std::string asciiLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), lower);
    return text;
}

std::string trimmed(std::string_view text) { return std::string(trimmedView(text)); }

std::string_view trimmedView(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlankOrControl(text[first]))
        ++first;
    while (last > first && isBlankOrControl(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

template <typename Char>
std::basic_string<Char> oneLine(std::basic_string_view<Char> text, std::size_t* cursor)
{
    constexpr Char kBlank = ' ';
    std::basic_string<Char> result;
    result.reserve(text.size());
    std::size_t movedCursor = 0;
    bool betweenWords = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (isControl(c)) {
            betweenWords = true;
        } else {
            if (betweenWords && !result.empty() && result.back() != kBlank && c != kBlank)
                result += kBlank;
            betweenWords = false;
            result += c;
        }
        if (cursor && i + 1 == *cursor)
            movedCursor = result.size();
    }
    if (cursor)
        *cursor = movedCursor;
    return result;
}
template std::string oneLine<char>(std::string_view, std::size_t*);
template std::u16string oneLine<char16_t>(std::u16string_view, std::size_t*);

std::string withoutSpaces(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            result += c;
    return result;
}

std::string oneLineAscii(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text)
        if (c >= ' ' && c <= '~')
            result += c;
        else if (isBlankOrControl(c) || c == '\x7f')
            result += ' ';
    return result;
}

std::vector<std::string> piecesAtBlanks(std::string_view text, std::size_t limit)
{
    std::vector<std::string> pieces;
    std::string piece;
    std::size_t start = 0;
    while ((start = text.find_first_not_of(' ', start)) != std::string_view::npos) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        std::string_view word = text.substr(start, end - start);
        start = end;
        if (!piece.empty() && piece.size() + 1 + word.size() > limit)
            pieces.push_back(std::exchange(piece, {}));
        for (; word.size() > limit; word.remove_prefix(limit))
            pieces.emplace_back(word.substr(0, limit));
        if (!piece.empty())
            piece += ' ';
        piece += word;
    }
    if (!piece.empty())
        pieces.push_back(std::move(piece));
    return pieces;
}

std::string comparableText(std::string_view text) { return asciiUpper(withoutSpaces(text)); }

std::string columns(std::string_view line, std::size_t first, std::size_t last)
{
    if (first < 1 || first > line.size() || last < first)
        return {};
    return std::string(line.substr(first - 1, last - first + 1));
}

std::string fitted(std::string_view text, std::size_t width)
{
    std::string result(text.substr(0, width));
    result.resize(width, ' ');
    return result;
}

std::string replacedColumns(std::string line, std::size_t first, std::string_view text)
{
    const std::size_t end = first - 1 + text.size();
    if (line.size() < end)
        line.resize(end, ' ');
    line.replace(first - 1, text.size(), text);
    return line;
}

int compareNoCase(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    // Bytes that are equal are equal folded too. Sorting a log compares lines
    // that share their date and time, so the common start is skipped eight
    // bytes at a time before any byte is folded.
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= n; i += sizeof(std::uint64_t)) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a.data() + i, sizeof x);
        std::memcpy(&y, b.data() + i, sizeof y);
        if (x != y)
            break;
    }
    for (; i < n; ++i) {
        const auto x = static_cast<unsigned char>(lower(a[i]));
        const auto y = static_cast<unsigned char>(lower(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && compareNoCase(a, b) == 0; }

void sortNoCase(std::vector<std::string>& lines) { sortLinesNoCase(lines); }
void sortNoCase(std::vector<std::string_view>& lines) { sortLinesNoCase(lines); }

std::size_t sortedPosition(const std::vector<std::string>& sorted, std::string_view line)
{
    return positionNoCase(sorted, line);
}

std::size_t sortedPosition(const std::vector<std::string_view>& sorted, std::string_view line)
{
    return positionNoCase(sorted, line);
}

}  // namespace qz
