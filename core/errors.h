#pragma once
// The two kinds of failure that end a user action: a file operation that went
// wrong, and text that should have been a whole number. Their texts are the
// standard ones the operators know from the error box.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qz {

class IoError : public std::runtime_error {
public:
    // `code` is the operating system's error number.
    IoError(int code, std::filesystem::path path);
    int code() const { return code_; }
    const std::filesystem::path& path() const { return path_; }

    // "File not found", "File access denied", "Disk full" or "I/O error %d".
    static std::string standardText(int code);

private:
    int code_;
    std::filesystem::path path_;
};

class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(std::string_view text);
};

// Reads a whole decimal number: optional leading blanks, optional sign,
// digits. Anything else, or a value beyond int, throws ConvertError.
int toInt(std::string_view text);

// The number after `text` in plain decimal digits ("009" gives "10"). Throws
// ConvertError with `text` when it is not a whole number or when the next one
// would not fit in an int, so a serial never wraps round to a negative one.
std::string nextNumber(std::string_view text);

}  // namespace qz
