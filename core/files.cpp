#include "files.h"

#include "errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <cwchar>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qz::files {
namespace {

FaultHook& faultHook()
{
    static FaultHook hook;
    return hook;
}

// The injected failure of the call, or 0.
int injectedFault(Op op, const Path& path) { return faultHook() ? faultHook()(op, path) : 0; }

// Runs the fault hook; throws the injected failure if there is one.
void checkFault(Op op, const Path& path)
{
    if (const int err = injectedFault(op, path); err != 0)
        throw IoError(err, path);
}

[[noreturn]] void fail(const Path& path) { throw IoError(errno, path); }

// The system reads a name only up to a NUL, so a name with one (from a damaged
// log line) would open, replace or remove a different file.
void checkName(const Path& path)
{
    if (path.native().find(Path::value_type()) != Path::string_type::npos)
        throw IoError(EINVAL, path);
}

#ifdef _WIN32
// Wide names, so that a folder with letters outside the code page opens too;
// binary mode, so that the CR LF of the lines is neither added nor dropped.
int openFile(const Path& path, int flags) { return ::_wopen(path.c_str(), flags | O_BINARY, _S_IREAD | _S_IWRITE); }
int syncDescriptor(int fd) { return _commit(fd); }
long long sizeOf(int fd)
{
    struct _stat64 info {};
    return ::_fstat64(fd, &info) == 0 ? info.st_size : -1;
}
int truncateDescriptor(int fd, long long size) { return ::_chsize_s(fd, size) == 0 ? 0 : -1; }
#else
int openFile(const Path& path, int flags) { return ::open(path.c_str(), flags, 0644); }
int syncDescriptor(int fd) { return ::fsync(fd); }
long long sizeOf(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}
int truncateDescriptor(int fd, long long size) { return ::ftruncate(fd, static_cast<off_t>(size)); }
#endif

// Owns one open descriptor.
class FileHandle {
public:
    FileHandle(const Path& path, int flags) : path_(path)
    {
        checkName(path);
        checkFault(Op::Open, path);
        do
            fd_ = openFile(path, flags);
        while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0)
            fail(path);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    std::string readUpTo(std::size_t limit)
    {
        // Read straight into a string of the file's size and one byte more,
        // so that the read that finds the end needs no larger copy of a long
        // log; a file that grows meanwhile is still read to its end (or the limit).
        struct stat info {};
        std::string content(std::min(limit, ::fstat(fd_, &info) == 0 && info.st_size > 0
                                                ? static_cast<std::size_t>(info.st_size) + 1
                                                : std::size_t{0}),
                            '\0');
        std::size_t filled = 0;
        for (;;) {
            if (filled == limit)
                return content;
            if (filled == content.size())
                content.resize(std::min(limit, content.size() + (1 << 16)));
            const std::size_t n = readSome(content.data() + filled, content.size() - filled);
            if (n == 0) {
                content.resize(filled);
                return content;
            }
            filled += n;
        }
    }

    // Reads up to `size` bytes; 0 at the end of the file.
    std::size_t readSome(char* into, std::size_t size)
    {
        for (;;) {
            checkFault(Op::Read, path_);
            const auto n = ::read(fd_, into, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                fail(path_);
            return static_cast<std::size_t>(n);
        }
    }

    void writeAll(std::string_view data)
    {
        while (!data.empty()) {
            checkFault(Op::Write, path_);
            if (const int err = injectedFault(Op::PartialWrite, path_); err != 0) {
                for (auto half = data.substr(0, data.size() / 2); !half.empty();)
                    half.remove_prefix(writeOnce(half));
                throw IoError(err, path_);
            }
            data.remove_prefix(writeOnce(data));
        }
    }

    void sync()
    {
        checkFault(Op::Sync, path_);
        if (syncDescriptor(fd_) != 0)
            fail(path_);
    }

    // The file's length now; -1 when the system cannot tell.
    long long size() const { return sizeOf(fd_); }

    void truncate(long long length)
    {
        checkFault(Op::Truncate, path_);
        if (truncateDescriptor(fd_, length) != 0)
            fail(path_);
    }

    // Cuts the file back to `length` and syncs it. Used while another failure
    // is being reported, so its own failure is not.
    void cutBackTo(long long length) noexcept
    {
        if (length >= 0 && truncateDescriptor(fd_, length) == 0)
            syncDescriptor(fd_);
    }

    void close()
    {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            fail(path_);
    }

private:
    // One write of at most `data`; the number of bytes it put down.
    std::size_t writeOnce(std::string_view data)
    {
        for (;;) {
            const auto n =
                ::write(fd_, data.data(), static_cast<unsigned>(std::min<std::size_t>(data.size(), 1u << 30)));
            if (n >= 0)
                return static_cast<std::size_t>(n);
            if (errno != EINTR)
                fail(path_);
        }
    }

    Path path_;
    int fd_ = -1;
};

// Makes a rename inside `folder` durable. Not every system can open a folder.
void syncFolder(const Path& folder)
{
#ifndef _WIN32
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)folder;
#endif
}

// Calls `onLine` for every line of `content`: CR LF, LF and a lone CR all end
// a line, and a last line without an end is still a line. An empty content
// gives no line; the callers decide what an empty file holds.
//
// The line ends are found with memchr, which scans a long log many times
// faster than a loop over its bytes. The next CR and the next LF are each
// remembered until the line start passes them, so that a file of lone CRs
// with one LF at its end is not scanned again for every line.
template <typename OnLine>
void forEachLineOf(std::string_view content, OnLine&& onLine)
{
    const std::size_t size = content.size();
    const auto next = [&](char end, std::size_t from) {
        if (from >= size)
            return size;
        const void* found = std::memchr(content.data() + from, end, size - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - content.data()) : size;
    };
    std::size_t start = 0;
    std::size_t carriageReturn = next('\r', 0);
    std::size_t lineFeed = next('\n', 0);
    for (;;) {
        if (carriageReturn < start)
            carriageReturn = next('\r', start);
        if (lineFeed < start)
            lineFeed = next('\n', start);
        const std::size_t end = std::min(carriageReturn, lineFeed);
        if (end == size)
            break;
        onLine(content.substr(start, end - start));
        start = end + (content[end] == '\r' && end + 1 < size && content[end + 1] == '\n' ? 2 : 1);
    }
    if (start < size)
        onLine(content.substr(start));
}

}  // namespace

bool isFile(const Path& path)
{
    std::error_code ec;
    return path.native().find(Path::value_type()) == Path::string_type::npos &&
           std::filesystem::is_regular_file(path, ec);
}

std::string readAll(const Path& path) { return readPrefix(path, std::string::npos); }

std::string readPrefix(const Path& path, std::size_t limit)
{
    FileHandle file(path, O_RDONLY);
    return file.readUpTo(limit);
}

std::vector<std::string> splitLines(std::string_view content)
{
    std::vector<std::string> lines;
    forEachLineOf(content, [&](std::string_view line) { lines.emplace_back(line); });
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

void forEachLine(const Path& path, const std::function<void(std::string_view)>& onLine)
{
    constexpr std::size_t kPiece = std::size_t{1} << 18;
    FileHandle file(path, O_RDONLY);
    bool anyLine = false;
    const auto emit = [&](std::string_view line) {
        anyLine = true;
        onLine(line);
    };
    // The bytes after the last LF read so far, then the next piece of the file.
    std::string held;
    for (;;) {
        const std::size_t kept = held.size();
        held.resize(kept + kPiece);
        const std::size_t got = file.readSome(held.data() + kept, kPiece);
        held.resize(kept + got);
        if (got == 0)
            break;
        // The lines up to the last LF are complete; a CR at the end of a piece
        // may still be followed by the LF of its CR LF in the next one. Only
        // the new piece is searched, so a line of megabytes is searched once.
        const std::size_t lastLineFeed = std::string_view(held).substr(kept).rfind('\n');
        if (lastLineFeed == std::string_view::npos)
            continue;
        const std::size_t complete = kept + lastLineFeed + 1;
        forEachLineOf(std::string_view(held).substr(0, complete), emit);
        held.erase(0, complete);
    }
    forEachLineOf(held, emit);
    if (!anyLine)
        onLine({});
}

std::vector<std::string> readLines(const Path& path) { return splitLines(readAll(path)); }

std::string joinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + kLineEnd.size();
    std::string content;
    content.reserve(size);
    for (const auto& line : lines) {
        content += line;
        content += kLineEnd;
    }
    return content;
}

std::string withCrLfLines(std::string content)
{
    // A file written by this program already has this form: keep it as it is.
    // It does when every LF follows a CR and there are as many CRs as LFs.
    const auto endsInCrLf = content.size() >= 2 && content.compare(content.size() - 2, 2, kLineEnd) == 0;
    std::size_t lineFeeds = 0;
    bool pairedLineFeeds = endsInCrLf;
    for (auto at = content.find('\n'); pairedLineFeeds && at != std::string::npos; at = content.find('\n', at + 1)) {
        pairedLineFeeds = at > 0 && content[at - 1] == '\r';
        ++lineFeeds;
    }
    if (pairedLineFeeds && static_cast<std::size_t>(std::count(content.begin(), content.end(), '\r')) == lineFeeds)
        return content;
    return joinLines(splitLines(content));
}

void replaceAtomically(const Path& target, std::string_view content, const Path& temp)
{
    checkName(target);
    checkName(temp);
    try {
        FileHandle file(temp, O_WRONLY | O_CREAT | O_TRUNC);
        file.writeAll(content);
        file.sync();
        file.close();
        checkFault(Op::Rename, target);
        std::error_code ec;
        std::filesystem::rename(temp, target, ec);
        if (ec)
            throw IoError(ec.value(), target);
    } catch (const IoError&) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw;
    }
    syncFolder(target.parent_path());
}

void replaceAtomically(const Path& target, std::string_view content)
{
    Path temp = target;
    temp += ".new";
    replaceAtomically(target, content, temp);
}

namespace {

void appendTo(const Path& path, std::string_view content, bool sync)
{
    FileHandle file(path, O_WRONLY | O_CREAT | O_APPEND);
    const long long before = file.size();
    try {
        file.writeAll(content);
        if (sync)
            file.sync();
    } catch (const IoError&) {
        file.cutBackTo(before);
        throw;
    }
    file.close();
}

}  // namespace

void appendDurably(const Path& path, std::string_view content) { appendTo(path, content, true); }

void appendUnsynced(const Path& path, std::string_view content) { appendTo(path, content, false); }

void removeFile(const Path& path)
{
    checkName(path);
    checkFault(Op::Remove, path);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw IoError(EISDIR, path);
    std::filesystem::remove(path, ec);
    if (ec && ec.value() != ENOENT)
        throw IoError(ec.value(), path);
}

void makeFolders(const Path& folder)
{
    checkName(folder);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        throw IoError(ec.value(), folder);
}

std::uint64_t fileLength(const Path& path)
{
    FileHandle file(path, O_RDONLY);
    const long long length = file.size();
    if (length < 0)
        fail(path);
    return static_cast<std::uint64_t>(length);
}

void cutBack(const Path& path, std::uint64_t length)
{
    FileHandle file(path, O_WRONLY);
    file.truncate(static_cast<long long>(length));
    file.sync();
    file.close();
}

bool sameFile(const Path& a, const Path& b)
{
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec))
        return true;
#ifdef _WIN32
    // Windows file names ignore letter case: TEMPORARY.ZRV is temporary.zrv.
    const auto canonicalA = std::filesystem::weakly_canonical(a, ec);
    const auto canonicalB = std::filesystem::weakly_canonical(b, ec);
    return !ec && ::_wcsicmp(canonicalA.c_str(), canonicalB.c_str()) == 0;
#else
    return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec) && !ec;
#endif
}

void setFaultHook(FaultHook hook) { faultHook() = std::move(hook); }

}  // namespace qz::files
