#pragma once
// Keeps a second copy of the program away from a station folder that one copy
// is already using: two copies would rewrite the same log behind each other's
// backs. The lock belongs to the running process, so the system drops it when
// the process ends in any way, a crash included; the lock file left behind
// does not block the next start.

#include <filesystem>
#include <memory>

namespace qz {

class StationLock {
public:
    // The lock on `folder`, or nullptr when another process holds it.
    // Throws IoError when the lock file cannot be opened at all.
    static std::unique_ptr<StationLock> acquire(const std::filesystem::path& folder);

    StationLock(const StationLock&) = delete;
    StationLock& operator=(const StationLock&) = delete;
    ~StationLock();

    static std::filesystem::path lockPath(const std::filesystem::path& folder);

private:
    explicit StationLock(int handle) : handle_(handle) {}
    int handle_;
};

}  // namespace qz
