#include "station_lock.h"
#include "temp_folder.h"

#include <cerrno>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace qz {
namespace {

using test::TempFolder;

// Each acquire opens the lock file anew, and both kinds of system lock keep
// two open handles apart as they keep two processes apart, so this runs the
// lock's own code on every system, Windows included.
TEST(StationLock, HeldLockRefusesASecondHolderUntilReleased)
{
    TempFolder folder;
    TempFolder other;
    auto lock = StationLock::acquire(folder.path());
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(StationLock::acquire(folder.path()), nullptr);
    EXPECT_NE(StationLock::acquire(other.path()), nullptr);
    lock.reset();
    EXPECT_NE(StationLock::acquire(folder.path()), nullptr);
}

TEST(StationLock, WorksInAFolderNamedWithLettersOfAnyAlphabet)
{
    TempFolder folder;
    const auto station = folder.path() / std::filesystem::path(u8"Stacja Łódź ✓");
    std::filesystem::create_directory(station);
    auto lock = StationLock::acquire(station);
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(StationLock::acquire(station), nullptr);
    EXPECT_TRUE(std::filesystem::exists(StationLock::lockPath(station)));
}

// Windows has no fork(); a second process there would need a helper program
// of its own, and the lock itself is checked above.
#ifndef _WIN32

// Tries the lock from a child process, as a second copy of the program would.
bool lockableFromAnotherProcess(const std::filesystem::path& folder)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(StationLock::acquire(folder) ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(StationLock, OneCopyPerFolder)
{
    TempFolder folder;
    TempFolder other;
    auto lock = StationLock::acquire(folder.path());
    ASSERT_NE(lock, nullptr);
    EXPECT_FALSE(lockableFromAnotherProcess(folder.path()));
    EXPECT_TRUE(lockableFromAnotherProcess(other.path()));
    lock.reset();
    EXPECT_TRUE(lockableFromAnotherProcess(folder.path()));
}

// A lock file left by another user account cannot be opened for writing, but
// it must still keep a second copy of this account off the folder.
TEST(StationLock, ALockFileOfAnotherAccountStillKeepsASecondCopyOut)
{
    TempFolder folder;
    folder.write("QZ5KV_stationbook.lock", "");
    using std::filesystem::perms;
    std::filesystem::permissions(StationLock::lockPath(folder.path()),
                                 perms::owner_read | perms::group_read | perms::others_read);
    std::filesystem::permissions(folder.path(), perms::all);
    EXPECT_TRUE(test::whereFilePermissionsBind([&] {
        const auto lock = StationLock::acquire(folder.path());
        return lock && lock->writeProblem() && lock->writeProblem()->code() == EACCES &&
               lock->writeProblem()->path() == StationLock::lockPath(folder.path()) &&
               StationLock::acquire(folder.path()) == nullptr;
    }));
}

TEST(StationLock, ADeadHolderLeavesNoStaleLock)
{
    TempFolder folder;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        auto lock = StationLock::acquire(folder.path());
        const char held = lock ? 1 : 0;
        (void)!::write(ready[1], &held, 1);
        ::pause();  // killed while holding the lock
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_EQ(held, 1);
    EXPECT_FALSE(lockableFromAnotherProcess(folder.path()));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(folder.exists("QZ5KV_stationbook.lock"));
    EXPECT_TRUE(lockableFromAnotherProcess(folder.path()));
}
#endif

}  // namespace
}  // namespace qz
