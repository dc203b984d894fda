// Arbitrary bytes as a country file and as a call list, as a damaged or
// hand-edited download would give them: reading must never crash or hang,
// every place found must be a real zone and continent, and every partial
// match must hold the letters searched for, in sorted order.

#include "call_list.h"
#include "country_file.h"
#include "fuzz_check.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qz::fuzz::require;

// The words of the input: what a callsign lookup might be asked about.
std::vector<std::string_view> wordsOf(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start < text.size() && words.size() < 200) {
        const std::size_t end = std::min(text.find_first_of(" ,;:\r\n\t", start), text.size());
        if (end > start)
            words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

void checkCountries(std::string_view text, const std::vector<std::string_view>& words)
{
    static constexpr std::array<std::string_view, 7> kContinents = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
    const qz::CountryFile file = qz::CountryFile::parse(text);
    for (const std::string_view word : words) {
        const auto found = file.locate(word);
        if (!found)
            continue;
        require(found->cqZone >= 1 && found->cqZone <= 40, "a CQ zone is 1 to 40");
        require(found->ituZone >= 1 && found->ituZone <= 90, "an ITU zone is 1 to 90");
        require(std::find(kContinents.begin(), kContinents.end(), found->continent) != kContinents.end(),
                "a continent is one of the seven");
        require(!found->country.empty(), "a country has a name");
    }
}

void checkCalls(std::string_view text, const std::vector<std::string_view>& words)
{
    qz::CallList list = qz::CallList::parse(text);
    for (const std::string_view word : words) {
        list.insert(word);
        const std::vector<std::string> found = list.containing(word.substr(0, 3), 30);
        require(found.size() <= 30, "no more matches than asked for");
        require(std::is_sorted(found.begin(), found.end()), "matches come sorted");
        require(std::adjacent_find(found.begin(), found.end()) == found.end(), "each match once");
        for (const std::string& call : found) {
            require(call.find(word.substr(0, 3)) != std::string::npos, "a match holds the letters");
            require(list.contains(call), "a match is in the list");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> words = wordsOf(text);
    checkCountries(text, words);
    checkCalls(text, words);
    return 0;
}
