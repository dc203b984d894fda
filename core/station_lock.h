#pragma once
// Keeps a second copy of the program away from a station folder that one copy
// is already using: two copies would rewrite the same log behind each other's
// backs. The lock belongs to the running process, so the system drops it when
// the process ends in any way, a crash included; the lock file left behind
// does not block the next start.

#include "errors.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace qz {

class StationLock {
public:
    // The lock on `folder`, or nullptr when another process holds it.
    // Throws IoError when the lock file cannot be opened at all.
    static std::unique_ptr<StationLock> acquire(const std::filesystem::path& folder);

    // Set when the lock file could be opened for reading only (a file left by
    // another user account): the lock holds all the same, so a second copy is
    // still kept out, but the folder is not wholly this account's to write.
    const std::optional<IoError>& writeProblem() const { return writeProblem_; }

    StationLock(const StationLock&) = delete;
    StationLock& operator=(const StationLock&) = delete;
    ~StationLock();

    static std::filesystem::path lockPath(const std::filesystem::path& folder);

private:
    StationLock(int handle, std::optional<IoError> writeProblem)
        : handle_(handle), writeProblem_(std::move(writeProblem))
    {
    }
    int handle_;
    std::optional<IoError> writeProblem_;
};

}  // namespace qz
