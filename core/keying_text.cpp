#include "keying_text.h"

namespace qz::keying {

std::vector<std::string> pieces(std::string_view text, std::size_t limit)
{
    std::string printable;
    for (const char c : text)
        if (c >= ' ' && c <= '~')
            printable += c;
    std::vector<std::string> result;
    std::string_view rest = printable;
    while (true) {
        rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
        if (rest.empty())
            return result;
        std::size_t cut = rest.size();
        if (cut > limit) {
            cut = rest.rfind(' ', limit);
            if (cut == std::string_view::npos || cut == 0)
                cut = limit;
        }
        std::string_view piece = rest.substr(0, cut);
        piece.remove_suffix(piece.size() - (piece.find_last_not_of(' ') + 1));
        result.emplace_back(piece);
        rest.remove_prefix(cut);
    }
}

}  // namespace qz::keying
