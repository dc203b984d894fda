#include "station_lock.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qz {
namespace {

using test::TempFolder;

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

}  // namespace
}  // namespace qz
