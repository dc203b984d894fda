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

namespace qz {
namespace {

bool endsWithLineEnd(std::string_view content)
{
    return !content.empty() && (content.back() == '\n' || content.back() == '\r');
}

}  // namespace

LogFile::LogFile(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path LogFile::path() const { return folder_ / kLogFileName; }
std::filesystem::path LogFile::backupPath() const { return folder_ / kLogBackupName; }
std::filesystem::path LogFile::temporaryPath() const { return folder_ / kLogScratchName; }

bool LogFile::exists() const { return files::isFile(path()); }

bool LogFile::missing() const
{
    std::error_code ec;
    return std::filesystem::status(path(), ec).type() == std::filesystem::file_type::not_found;
}

bool LogFile::createIfMissing() const
{
    if (!missing())
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
    // The backup is the log as it was, byte for byte: an empty log gives an
    // empty backup.
    files::replaceAtomically(backupPath(), content);
    files::appendDurably(path(), record);
    return record;
}

LogFile::Rewritten LogFile::rewrittenWhere(const std::function<bool(const std::string&)>& matches,
                                           const LineChange& change) const
{
    std::vector<std::string> lines = files::readLines(path());
    std::vector<std::string> result;
    result.reserve(lines.size());
    Rewritten rewritten;
    for (auto& line : lines) {
        if (!matches(line)) {
            result.push_back(std::move(line));
            continue;
        }
        rewritten.matched = true;
        // A changed line is written whole, also where an editor had trimmed it.
        if (auto changed = change(paddedLine(line))) {
            rewritten.lastChanged = *changed;
            result.push_back(std::move(*changed));
        }
    }
    if (rewritten.matched)
        rewritten.content = files::joinLines(result);
    return rewritten;
}

LogFile::Rewritten LogFile::rewritten(const std::string& selected, const LineChange& change) const
{
    return rewrittenWhere([&](const std::string& line) { return sameColumns(line, selected); }, change);
}

LogFile::Rewritten LogFile::withoutLine(const std::string& line, std::size_t occurrence) const
{
    std::size_t seen = 0;
    return rewrittenWhere([&](const std::string& stored) { return stored == line && seen++ == occurrence; },
                          [](const std::string&) { return std::nullopt; });
}

std::optional<std::string> LogFile::rewrite(const std::string& selected, const LineChange& change) const
{
    Rewritten result = rewritten(selected, change);
    if (result.matched)
        replaceWith(result.content);
    return result.lastChanged;
}

bool LogFile::removeLine(const std::string& line, std::size_t occurrence) const
{
    const Rewritten result = withoutLine(line, occurrence);
    if (result.matched)
        replaceWith(result.content);
    return result.matched;
}

bool LogFile::restoreFromBackup() const
{
    // A log that came back meanwhile (a medium put back) is newer than the backup.
    if (!missing())
        return false;
    files::replaceAtomically(path(), files::readAll(backupPath()), temporaryPath());
    return true;
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
    files::replaceAtomically(backupPath(), content);
    const std::string kept = wasEmpty ? std::string() : files::withCrLfLines(std::move(content));
    replaceWith(kept + files::joinLines(join.lines()));
    return join.lines().size();
}

bool LogFile::isOwnFile(const std::filesystem::path& candidate) const
{
    return files::sameFile(candidate, path()) || files::sameFile(candidate, backupPath()) ||
           files::sameFile(candidate, temporaryPath());
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
