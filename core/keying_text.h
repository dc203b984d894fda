#pragma once
// A text for a keyer outside the program, in pieces it takes whole.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qz::keying {

// The printable ASCII of `text`, cut at blanks into pieces of at most
// `limit` bytes (a word longer than that is cut where it must), without blanks
// at their ends; nothing for a text of blanks.
std::vector<std::string> pieces(std::string_view text, std::size_t limit);

}  // namespace qz::keying
