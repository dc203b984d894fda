#include "station_lock.h"

#include "errors.h"
#include "station_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

namespace qz {

std::filesystem::path StationLock::lockPath(const std::filesystem::path& folder) { return folder / kLockFileName; }

std::unique_ptr<StationLock> StationLock::acquire(const std::filesystem::path& folder)
{
    const auto path = lockPath(folder);
#ifdef _WIN32
    int fd = ::_wopen(path.c_str(), O_RDWR | O_CREAT | O_BINARY, _S_IREAD | _S_IWRITE);
#else
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0644);
#endif
    std::optional<IoError> writeProblem;
    if (fd < 0) {
        // A lock file of another account can still be locked through a
        // descriptor opened for reading.
        writeProblem.emplace(errno, path);
#ifdef _WIN32
        fd = ::_wopen(path.c_str(), O_RDONLY | O_BINARY);
#else
        fd = ::open(path.c_str(), O_RDONLY);
#endif
        if (fd < 0)
            throw *writeProblem;
    }
#ifdef _WIN32
    OVERLAPPED whole{};
    const bool locked = LockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(fd)),
                                   LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole);
#else
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
#endif
    if (!locked) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<StationLock>(new StationLock(fd, std::move(writeProblem)));
}

StationLock::~StationLock() { ::close(handle_); }

}  // namespace qz
