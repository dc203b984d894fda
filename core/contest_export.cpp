#include "contest_export.h"

#include "adif.h"
#include "cabrillo.h"
#include "errors.h"
#include "files.h"
#include "log_file.h"
#include "log_line.h"
#include "log_snapshot.h"
#include "operator_book.h"
#include "text.h"

#include <functional>
#include <optional>
#include <unordered_map>

namespace qz {
namespace {

// The QSOs that go into one file, in the order of the working list. Callsigns
// that differ only in letter case or in "/" against "\" share a stem.
struct StemGroup {
    std::string stem;
    std::vector<std::string_view> lines;
};

// All lines of the log sorted the way the log list sorts them, so that QSOs
// come in time order; identical lines are all kept. The lines are views into
// `log`.
std::vector<std::string_view> workingList(const LogSnapshot& log)
{
    std::vector<std::string_view> lines = log.lines();
    sortNoCase(lines);
    return lines;
}

// Groups the non-empty lines by file stem, groups in order of their first line.
std::vector<StemGroup> groupByStem(const std::vector<std::string_view>& lines)
{
    std::vector<StemGroup> groups;
    std::unordered_map<std::string, std::size_t> indexOfStem;
    for (const std::string_view line : lines) {
        if (line.empty())
            continue;
        std::string stem = fileStemOf(line);
        const auto [it, added] = indexOfStem.try_emplace(stem, groups.size());
        if (added)
            groups.push_back({std::move(stem), {}});
        groups[it->second].lines.push_back(line);
    }
    return groups;
}

using ContentOf = std::function<std::string(const StemGroup&)>;

// Replaces each operator's file whole, one after the other. An earlier file is
// never removed first: it stays until its complete successor is renamed over
// it. A file that cannot be replaced costs no other operator theirs.
ExportResult writeFiles(const std::filesystem::path& folder, const std::vector<StemGroup>& groups,
                        std::string_view extension, const ContentOf& contentOf)
{
    ExportResult result;
    for (const StemGroup& group : groups) {
        const auto path = folder / (group.stem + std::string(extension));
        try {
            files::replaceAtomically(path, contentOf(group));
        } catch (const IoError& error) {
            result.status = ExportStatus::FilesFailed;
            result.failed.push_back({path, operatorOf(group.lines.front()), error.code()});
            continue;
        }
        result.files.push_back(path);
        result.lastOperator = operatorOf(group.lines.front());
    }
    return result;
}

ExportResult missingLog(const LogFile& log)
{
    ExportResult result;
    result.status = ExportStatus::LogMissing;
    result.problemPath = log.path();
    return result;
}

// The header fields of an operator: the first record whose callsign matches,
// or the values of a new record, never those of another operator.
OperatorFields headerFieldsOf(const OperatorList& book, std::string_view callsign)
{
    const auto row = book.find(callsign);
    return row ? splitRecord(book.records()[*row]) : newRecordFields();
}

}  // namespace

ExportResult exportCabrillo(const std::filesystem::path& folder)
{
    const LogFile log(folder);
    if (!log.exists())
        return missingLog(log);
    const auto snapshot = log.snapshot();
    const std::vector<std::string_view> lines = workingList(*snapshot);
    auto records = readOperatorRecords(folder);
    if (!records) {
        ExportResult result;
        result.status = ExportStatus::OperatorsMissing;
        result.problemPath = operatorFilePath(folder);
        return result;
    }
    const OperatorList book(std::move(*records));
    return writeFiles(folder, groupByStem(lines), ".cbr", [&](const StemGroup& group) {
        // The header belongs to the operator whose QSO comes first in the file.
        const std::string callsign = operatorOf(group.lines.front());
        return files::joinLines(cabrillo::fileLines(headerFieldsOf(book, callsign), callsign, group.lines));
    });
}

ExportResult exportAdif(const std::filesystem::path& folder, std::string_view comment)
{
    const LogFile log(folder);
    if (!log.exists())
        return missingLog(log);
    const auto snapshot = log.snapshot();
    const std::vector<std::string_view> lines = workingList(*snapshot);
    return writeFiles(folder, groupByStem(lines), ".adi", [&](const StemGroup& group) {
        std::vector<std::string> fileLines = adif::headerLines();
        fileLines.reserve(fileLines.size() + group.lines.size());
        for (const std::string_view line : group.lines)
            fileLines.push_back(adif::recordLine(line, comment));
        return files::joinLines(fileLines);
    });
}

}  // namespace qz
