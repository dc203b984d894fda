#pragma once
// Byte-string helpers shared by every reader and writer of the station's files.
// All text is Windows-1250 bytes; only the ASCII letters are ever re-cased.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

std::string asciiUpper(std::string text);
std::string asciiLower(std::string text);

// Removes leading and trailing blanks and control characters (every byte up to 0x20).
std::string trimmed(std::string_view text);
// The same without a copy: a view into `text`.
std::string_view trimmedView(std::string_view text);

// The text of a field that must stay on its line of a file: every run of
// control characters (a line break, a tab, a NUL) becomes one blank between
// words, and goes where it stands at either end or beside a blank, so
// "Jan\nKowalski\tII" gives "Jan Kowalski II" and "DL2XYZ\r\n" gives "DL2XYZ".
// `cursor`, a position in `text`, is moved to the same place in the result.
// For UTF-16 text the C1 controls and the line and paragraph separators count
// too; in Windows-1250 those bytes are letters and signs.
template <typename Char>
std::basic_string<Char> oneLine(std::basic_string_view<Char> text, std::size_t* cursor = nullptr);
inline std::string oneLine(std::string_view text) { return oneLine<char>(text); }

// Removes every space, also inside the text.
std::string withoutSpaces(std::string_view text);

// `text` as printable ASCII (' ' to '~') alone, for a line or a datagram of a
// protocol that gives control bytes a meaning: each control byte becomes a
// blank, as it parted words; bytes beyond ASCII go.
std::string oneLineAscii(std::string_view text);

// The words of `text` (runs of other bytes than ' '), joined by one blank
// into pieces of at most `limit` bytes (more than 0), for a daemon that takes
// a text only so long; a word longer than `limit` is cut inside. Nothing for
// a text of blanks.
std::vector<std::string> piecesAtBlanks(std::string_view text, std::size_t limit);

// The form in which callsigns and exchanges are compared: ASCII letters
// raised, every space removed ("dl 1abc" matches "DL1ABC").
std::string comparableText(std::string_view text);

// Columns are numbered from 1; a range that runs past the end of a short line
// yields fewer characters instead of failing.
std::string columns(std::string_view line, std::size_t first, std::size_t last);

// Left-aligns text in a field of the given width: padded with spaces or cut.
std::string fitted(std::string_view text, std::size_t width);

// Overwrites the columns starting at `first` with `text`; a short line is
// first padded with spaces so that every other column keeps its place.
std::string replacedColumns(std::string line, std::size_t first, std::string_view text);

// Ordering of the sorted lists: bytes compared with ASCII letters folded.
int compareNoCase(std::string_view a, std::string_view b);
bool equalNoCase(std::string_view a, std::string_view b);
struct LessNoCase {
    bool operator()(std::string_view a, std::string_view b) const { return compareNoCase(a, b) < 0; }
};

// Sorts lines the way the sorted lists do; lines equal but for case keep their order.
void sortNoCase(std::vector<std::string>& lines);
void sortNoCase(std::vector<std::string_view>& lines);

// Position at which `line` goes into an already sorted vector (after its equals).
std::size_t sortedPosition(const std::vector<std::string>& sorted, std::string_view line);
std::size_t sortedPosition(const std::vector<std::string_view>& sorted, std::string_view line);

}  // namespace qz
