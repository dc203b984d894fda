#pragma once
// Lines of the log as read at one moment, for reading only: their bytes are
// kept in a few large blocks and the lines are views into them, so a long log
// costs a few allocations instead of one per line, and a reader that wants
// only some lines (one operator's) keeps only those. A snapshot never changes
// once made and is handed round by shared pointer, so whatever keeps views of
// its lines (the log list) keeps it alive for as long as it shows them.

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

class LogSnapshot {
public:
    using Keep = std::function<bool(std::string_view line)>;

    // The lines of the file, split as files::splitLines splits them; with
    // `keep`, only the lines for which it holds, in the file's order.
    static std::shared_ptr<const LogSnapshot> read(const std::filesystem::path& path, const Keep& keep = {});

    LogSnapshot(const LogSnapshot&) = delete;
    LogSnapshot& operator=(const LogSnapshot&) = delete;

    const std::vector<std::string_view>& lines() const { return lines_; }

private:
    LogSnapshot() = default;
    void add(std::string_view line);

    // A block is filled only up to the capacity it was given, so its bytes
    // never move, and a deque never moves its blocks.
    std::deque<std::string> blocks_;
    std::vector<std::string_view> lines_;
};

}  // namespace qz
