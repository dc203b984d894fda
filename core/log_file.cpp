#include "log_file.h"

#include "errors.h"
#include "files.h"
#include "log_join.h"
#include "log_line.h"
#include "log_snapshot.h"
#include "station_files.h"
#include "text.h"
#include "time_entry.h"

#include <algorithm>

#ifdef _WIN32
#include <cwchar>
#endif

namespace qz {
namespace {

bool endsWithLineEnd(std::string_view content)
{
    return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

bool samePath(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec))
        return true;
#ifdef _WIN32
    // Windows file names ignore letter case: TEMPORARY.ZRV is temporary.zrv.
    const auto canonicalA = std::filesystem::weakly_canonical(a, ec);
    const auto canonicalB = std::filesystem::weakly_canonical(b, ec);
    return !ec && ::_wcsicmp(canonicalA.c_str(), canonicalB.c_str()) == 0;
#else
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec) && !ec;
#endif
}
}  // namespace

LogFile::LogFile(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path LogFile::path() const { return folder_ / kLogFileName; }
std::filesystem::path LogFile::backupPath() const { return folder_ / kLogBackupName; }
std::filesystem::path LogFile::temporaryPath() const { return folder_ / kLogScratchName; }

bool LogFile::exists() const { return files::isFile(path()); }

bool LogFile::createIfMissing() const
{
    std::error_code ec;
    if (std::filesystem::exists(path(), ec))
        return false;
    files::replaceAtomically(path(), {}, temporaryPath());
    return true;
}

std::vector<std::string> LogFile::readLines() const { return files::readLines(path()); }

std::shared_ptr<const LogSnapshot> LogFile::snapshot() const { return LogSnapshot::read(path()); }

std::shared_ptr<const LogSnapshot> LogFile::snapshotOf(std::string_view op) const
{
    return LogSnapshot::read(path(), [op](std::string_view line) { return belongsTo(line, op); });
}

std::string LogFile::append(std::string_view line) const { return append(std::vector{std::string(line)}); }

std::string LogFile::append(const std::vector<std::string>& lines) const
{
    std::string content = files::readAll(path());
    std::string record;
    if (!content.empty() && !endsWithLineEnd(content))
        record += files::kLineEnd;
    for (const std::string& line : lines) {
        record += line;
        record += files::kLineEnd;
    }
    files::replaceAtomically(backupPath(), files::withCrLfLines(std::move(content)));
    files::appendDurably(path(), record);
    return record;
}

LogFile::Rewritten LogFile::rewritten(const std::string& selected, const LineChange& change) const
{
    std::vector<std::string> lines = files::readLines(path());
    std::vector<std::string> result;
    result.reserve(lines.size());
    Rewritten rewritten;
    for (auto& line : lines) {
        if (line != selected) {
            result.push_back(std::move(line));
            continue;
        }
        rewritten.matched = true;
        if (auto changed = change(line)) {
            rewritten.lastChanged = *changed;
            result.push_back(std::move(*changed));
        }
    }
    if (rewritten.matched)
        rewritten.content = files::joinLines(result);
    return rewritten;
}

std::optional<std::string> LogFile::rewrite(const std::string& selected, const LineChange& change) const
{
    Rewritten result = rewritten(selected, change);
    if (result.matched)
        replaceWith(result.content);
    return result.lastChanged;
}

void LogFile::replaceWith(std::string_view content) const
{
    files::replaceAtomically(path(), content, temporaryPath());
}

std::optional<std::size_t> LogFile::join(const std::filesystem::path& other) const
{
    if (isOwnFile(other))
        return std::nullopt;
    std::string content = files::readAll(path());
    const bool wasEmpty = content.empty();
    const std::vector<std::string> ownLines = files::splitLines(content);
    LogJoin join({ownLines.begin(), ownLines.end()});
    files::forEachLine(other, [&join](std::string_view line) { join.offer(line); });
    if (join.lines().empty())
        return 0;
    std::string kept = files::withCrLfLines(std::move(content));
    files::replaceAtomically(backupPath(), kept);
    if (wasEmpty)
        kept.clear();
    replaceWith(kept + files::joinLines(join.lines()));
    return join.lines().size();
}

bool LogFile::isOwnFile(const std::filesystem::path& candidate) const
{
    return samePath(candidate, path()) || samePath(candidate, backupPath()) || samePath(candidate, temporaryPath());
}

void LogFile::archiveTo(const std::filesystem::path& target) const
{
    files::replaceAtomically(target, files::withCrLfLines(files::readAll(path())));
}

void LogFile::startAfresh() const { files::replaceAtomically(path(), {}, temporaryPath()); }

std::string LogFile::proposedArchiveName() const
{
    try {
        return qz::proposedArchiveName(snapshot()->lines());
    } catch (const IoError&) {
        return qz::proposedArchiveName({});
    }
}

std::string proposedArchiveName(const std::vector<std::string_view>& logLines)
{
    std::string lastDate;
    for (const std::string_view line : logLines) {
        const std::string date = dateOf(line);
        if (checkDate(date).result == EntryCheck::Ok && date.find(' ') == std::string::npos && date > lastDate)
            lastDate = date;
    }
    return "IARU_log_" + (lastDate.empty() ? std::string("archiwum") : lastDate) + ".zrv";
}

std::vector<std::string_view> operatorLines(const std::vector<std::string_view>& logLines, std::string_view op)
{
    std::vector<std::string_view> lines;
    std::copy_if(logLines.begin(), logLines.end(), std::back_inserter(lines),
                 [&](const std::string_view line) { return belongsTo(line, op); });
    sortNoCase(lines);
    return lines;
}

}  // namespace qz
