#pragma once
// A fresh folder per test, removed afterwards, with small file helpers.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

#ifndef _WIN32
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#endif

namespace qz::test {

class TempFolder {
public:
    // A random name; create_directory says false for a name already taken,
    // so tests running side by side never share a folder.
    TempFolder()
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            auto candidate = std::filesystem::temp_directory_path() / ("qz5kv-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                path_ = std::move(candidate);
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(path_ / name, std::ios::binary);
        out << bytes;
    }
    std::string read(const std::string& name) const
    {
        std::ifstream in(path_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

private:
    std::filesystem::path path_;
};

// Whether a read-only folder can provoke a failure at all: not on Windows,
// where a folder's read-only mark does not stop files being made in it.
inline bool readOnlyFoldersExist()
{
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}

#ifndef _WIN32
// Makes the folder read-only for everybody.
inline void makeReadOnly(const std::filesystem::path& folder)
{
    using std::filesystem::perms;
    std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec | perms::group_read | perms::group_exec |
                                             perms::others_read | perms::others_exec);
}

// Runs `body` in a child process and gives its exit code, the number `body`
// returned, or -1 when the child did not end normally. What either side printed before is flushed
// first, so that it is not printed twice.
template <typename Body>
int exitCodeOfChild(Body body)
{
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int code = body();
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs `body` where file permissions bind: directly for an ordinary user; for
// root, who may ignore them, in a child process that has given up its rights
// (user and group "nobody"). True when `body` returned true.
template <typename Body>
bool whereFilePermissionsBind(Body body)
{
    if (::geteuid() != 0)
        return body();
    return exitCodeOfChild([&] {
               constexpr unsigned kNobody = 65534;
               if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                   return 2;
               return body() ? 0 : 1;
           }) == 0;
}
#endif

#ifdef __linux__
// The exit code of onSmallDisk when no such disk can be made here.
inline constexpr int kNoSmallDisk = 77;

// Runs `body` in a child process that sees a tmpfs of `size` bytes mounted on
// `folder`, in a mount namespace of its own: nobody else sees the mount, and
// it goes with the child. Gives 0 when `body` returned true, 1 when false,
// kNoSmallDisk when the mount cannot be made (it needs root), -1 when the
// child did not end normally.
template <typename Body>
int onSmallDisk(const std::filesystem::path& folder, std::size_t size, Body body)
{
    return exitCodeOfChild([&] {
        const std::string options = "size=" + std::to_string(size);
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
            return kNoSmallDisk;
        return body() ? 0 : 1;
    });
}

// Fills the disk that holds `folder` with the file `filler` until `blocks`
// of its blocks are left free; true when exactly that many are.
inline bool fillDiskLeaving(const std::filesystem::path& folder, const std::filesystem::path& filler,
                            unsigned long blocks)
{
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) != 0 || disk.f_bfree < blocks)
        return false;
    std::ofstream(filler, std::ios::binary) << std::string((disk.f_bfree - blocks) * disk.f_bsize, 'x');
    return ::statvfs(folder.c_str(), &disk) == 0 && disk.f_bfree == blocks;
}
#endif

}  // namespace qz::test
