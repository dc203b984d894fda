// Arbitrary log file content through the line splitter, the column readers and
// the per-operator view: a damaged or foreign log must never crash the program
// or make a line show up under the wrong operator.

#include "files.h"
#include "fuzz_check.h"
#include "headquarters.h"
#include "log_file.h"
#include "log_line.h"
#include "text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using qz::fuzz::require;

bool hasEdgeBlank(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

void checkSplit(std::string_view content, const std::vector<std::string>& lines)
{
    require(!lines.empty(), "every content has at least one line");
    for (const auto& line : lines)
        require(line.find_first_of("\r\n") == std::string::npos, "no line keeps a line end");
    const std::string joined = qz::files::joinLines(lines);
    require(qz::files::splitLines(joined) == lines, "joined lines split back to the same lines");
    require(qz::files::withCrLfLines(std::string(content)) == joined, "withCrLfLines equals join of split");
}

void checkReaders(std::string_view line)
{
    const std::string op = qz::operatorOf(line);
    const std::string call = qz::callOf(line);
    const std::string slot = qz::slotKeyOf(line);
    const std::string stem = qz::fileStemOf(line);

    require(op.size() <= 13 && !hasEdgeBlank(op), "operator is at most 13 trimmed characters");
    require(call.size() <= 13 && !hasEdgeBlank(call), "call is at most 13 trimmed characters");
    const std::size_t slotLength = line.size() <= 16 ? 0 : std::min<std::size_t>(10, line.size() - 16);
    require(slot.size() == slotLength, "slot key is columns 17-26 as far as the line reaches");
    require(slot == line.substr(std::min<std::size_t>(16, line.size()), slotLength), "slot key is taken unchanged");
    require(qz::belongsTo(line, op), "a line belongs to its own operator column");

    require(stem.size() == op.size(), "file stem has the operator's length");
    require(stem.find_first_of("/\\ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos,
            "file stem has no path separator and no capital");
    require(qz::equalNoCase(stem, op) || op.find_first_of("/\\") != std::string::npos,
            "file stem differs from the operator only by case and separators");
}

void checkView(const std::vector<std::string_view>& lines, const std::string& op)
{
    const std::vector<std::string_view> view = qz::operatorLines(lines, op);
    const auto mine = static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [&](std::string_view l) { return qz::operatorOf(l) == op; }));
    require(view.size() == mine, "the view holds every line of the operator");
    require(std::all_of(view.begin(), view.end(), [&](std::string_view l) { return qz::belongsTo(l, op); }),
            "the view holds only lines of the operator");
    require(std::is_sorted(view.begin(), view.end(), qz::LessNoCase{}), "the view is sorted");

    std::size_t headquartersLines = 0;
    for (const auto& line : view)
        if (qz::callOf(line) == qz::kHeadquartersCall)
            ++headquartersLines;
    qz::HeadquartersSlots slots(lines, op);
    const std::vector<std::string> worked = slots.keys();
    require(worked.size() <= headquartersLines, "no slot without a headquarters QSO");
    for (std::size_t i = 0; i < worked.size(); ++i)
        for (std::size_t j = i + 1; j < worked.size(); ++j)
            require(!qz::equalNoCase(worked[i], worked[j]), "each slot is counted once");
    for (const auto& line : view)
        require(!slots.add(line), "a line of the view adds no slot twice");
    require(slots.keys() == worked, "adding known slots changes nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = qz::files::splitLines(content);
    checkSplit(content, lines);
    for (const auto& line : lines)
        checkReaders(line);
    // The view of the first line's operator, and the view while no operator is
    // selected, which lists the lines too short to have one.
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    checkView(views, qz::operatorOf(lines.front()));
    checkView(views, "");
    return 0;
}
