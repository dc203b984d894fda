#pragma once
// The one place where the station's files are touched. Every failure becomes
// an IoError naming the file; every whole-file write goes through a complete,
// synced temporary file that is renamed over the target, so a crash leaves
// either the old or the new file, never a torn one. A hook lets tests inject
// failures (disk full, a failing rename) that are hard to provoke for real.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::files {

using Path = std::filesystem::path;

inline constexpr std::string_view kLineEnd = "\r\n";

// True when `path` names an existing file (a folder of that name is not a file).
bool isFile(const Path& path);

std::string readAll(const Path& path);
// At most the first `limit` bytes, for a small file that must not make the
// program read a large one whole.
std::string readPrefix(const Path& path, std::size_t limit);

// Splits file content into lines. CR LF, LF and a lone CR all end a line; a
// last line without an end is still a line; an empty content is one empty line.
std::vector<std::string> splitLines(std::string_view content);
// Calls `onLine` for every line of the file, split as splitLines splits its
// content, while reading the file piece by piece: a long log is never held
// whole. The view is valid only during the call.
void forEachLine(const Path& path, const std::function<void(std::string_view)>& onLine);
std::vector<std::string> readLines(const Path& path);

// Every line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

// The same as joinLines(splitLines(content)), without the work when the
// content already has that form.
std::string withCrLfLines(std::string content);

// Writes `content` to `temp`, syncs it, renames it over `target` and syncs the
// folder. On failure `target` is untouched and `temp` is removed.
void replaceAtomically(const Path& target, std::string_view content, const Path& temp);
// The same with a temporary name beside the target.
void replaceAtomically(const Path& target, std::string_view content);

// Appends `content` and syncs the file before returning. When any step fails
// (a disk that fills up in the middle of the content), the file is cut back
// to its length before the append and synced, so it never keeps part of it.
void appendDurably(const Path& path, std::string_view content);
// The same without waiting for the disk: only for what can be made again from
// a file that was synced before it.
void appendUnsynced(const Path& path, std::string_view content);

// Removes the file; a file that is already gone is not an error.
void removeFile(const Path& path);
// Creates the folder and the ones above it that are missing.
void makeFolders(const Path& folder);

// The file's length in bytes.
std::uint64_t fileLength(const Path& path);
// Cuts the file back to its first `length` bytes and syncs it: takes back
// what an append added.
void cutBack(const Path& path, std::uint64_t length);

// True when both name the same file under any spelling: "..", a link, and on
// Windows letter case. A file that does not exist yet is compared by its
// resolved name.
bool sameFile(const Path& a, const Path& b);

// Test seam: called before each system call with the operation and the file;
// a non-zero result is taken as the error number of a failure of that call.
// PartialWrite is asked before each write as well: a non-zero result makes
// the write put down the first half of its bytes and then fail with that
// error, as a disk does that fills up in the middle of a write.
enum class Op { Open, Read, Write, PartialWrite, Sync, Rename, Remove, Truncate };
using FaultHook = std::function<int(Op, const Path&)>;
void setFaultHook(FaultHook hook);

}  // namespace qz::files
