#pragma once
// The shared log "IARU_log.zrv" in the station folder, its backup and the
// scratch file of a rewrite. Every operation opens, uses and closes its files.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

class LogSnapshot;

class LogFile {
public:
    explicit LogFile(std::filesystem::path folder);

    std::filesystem::path path() const;
    std::filesystem::path backupPath() const;
    std::filesystem::path temporaryPath() const;

    bool exists() const;
    // Nothing stands at the log's place (a folder of its name is something).
    bool missing() const;
    // Creates an empty log when there is none; true when it did.
    bool createIfMissing() const;

    std::vector<std::string> readLines() const;
    // The whole log, for reading only.
    std::shared_ptr<const LogSnapshot> snapshot() const;
    // Only the lines that belong to operator `op`, for their view.
    std::shared_ptr<const LogSnapshot> snapshotOf(std::string_view op) const;

    // Copies the log as it is now, byte for byte, to the backup, then appends
    // the line and waits until it is on the disk. A log whose last line lacks
    // its line end gets one first, so the new QSO never runs into the line
    // before it. When the append fails, the log is cut back to exactly what it
    // was. Returns the bytes appended.
    std::string append(std::string_view line) const;
    // The same for several lines in one append.
    std::string append(const std::vector<std::string>& lines) const;

    // A change for one matching line, given as its 86 columns (padded where an
    // editor trimmed it): the new line, or nothing to drop it.
    using LineChange = std::function<std::optional<std::string>(const std::string&)>;
    // Applies `change` to every line with the columns of `selected` (trimmed
    // copies included) and replaces the log by the result through the
    // temporary file in one atomic step. Returns the last changed line; when
    // no line matches, the log is left as it is.
    std::optional<std::string> rewrite(const std::string& selected, const LineChange& change) const;
    // Removes one line: the `occurrence`-th (counted from 0) whose text is
    // exactly `line`; its identical copies stay. False, and the log left as it
    // is, when the log has no such line.
    bool removeLine(const std::string& line, std::size_t occurrence) const;
    // What rewrite and removeLine would write, without writing it.
    struct Rewritten {
        std::string content;
        std::optional<std::string> lastChanged;
        bool matched = false;
    };
    Rewritten rewritten(const std::string& selected, const LineChange& change) const;
    Rewritten withoutLine(const std::string& line, std::size_t occurrence) const;
    // Replaces the whole log by `content` through the temporary file.
    void replaceWith(std::string_view content) const;
    // Puts the backup, byte for byte, in the place of a log that is gone.
    // False, and nothing written, when the log is there.
    bool restoreFromBackup() const;

    // Adds at the end of the log every line of the log at `other` (another
    // computer's, or a copy of it) that this log lacks, as LogJoin counts
    // them: the backup is written first, then the whole log is replaced
    // through the temporary file in one atomic step. Nothing is written when
    // nothing is to be added. Returns the number of lines added; nothing, and
    // nothing read, when `other` is one of this log's own files.
    std::optional<std::size_t> join(const std::filesystem::path& other) const;

    // True for the log itself, its backup and the rewrite's scratch file, under
    // whatever spelling `candidate` names them.
    bool isOwnFile(const std::filesystem::path& candidate) const;

    // Copies the log line by line to `target` (durably; an empty log gives one
    // empty line), then empties the log without it ever being missing.
    void archiveTo(const std::filesystem::path& target) const;
    void startAfresh() const;
    // proposedArchiveName of this log. A log that cannot be read gives the
    // name without a date, so that proposing a name never stands in the way
    // of choosing the archive.
    std::string proposedArchiveName() const;

private:
    Rewritten rewrittenWhere(const std::function<bool(const std::string&)>& matches, const LineChange& change) const;

    std::filesystem::path folder_;
};

// A name for the archive of a log: it carries the date of the log's last QSO.
std::string proposedArchiveName(const std::vector<std::string_view>& logLines);

// The current operator's lines only, in the sorted order of the log list.
std::vector<std::string_view> operatorLines(const std::vector<std::string_view>& logLines, std::string_view op);

}  // namespace qz
