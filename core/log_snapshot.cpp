#include "log_snapshot.h"

#include "files.h"

#include <algorithm>

namespace qz {
namespace {
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
}  // namespace

std::shared_ptr<const LogSnapshot> LogSnapshot::read(const std::filesystem::path& path, const Keep& keep)
{
    std::shared_ptr<LogSnapshot> snapshot(new LogSnapshot);
    files::forEachLine(path, [&](std::string_view line) {
        if (!keep || keep(line))
            snapshot->add(line);
    });
    return snapshot;
}

void LogSnapshot::add(std::string_view line)
{
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < line.size())
        blocks_.emplace_back().reserve(std::max(kBlockSize, line.size()));
    std::string& block = blocks_.back();
    const std::size_t at = block.size();
    block.append(line);
    lines_.push_back(std::string_view(block).substr(at));
}

}  // namespace qz
