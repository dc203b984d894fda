#include "errors.h"

#include <cerrno>
#include <climits>

namespace qz {

IoError::IoError(int code, std::filesystem::path path)
    : std::runtime_error(standardText(code)), code_(code), path_(std::move(path))
{
}

std::string IoError::standardText(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR: return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return "File access denied";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "Disk full";
    default: return "I/O error " + std::to_string(code);
    }
}

ConvertError::ConvertError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value")
{
}

int toInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size())
        throw ConvertError(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw ConvertError(text);
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            throw ConvertError(text);
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        throw ConvertError(text);
    return static_cast<int>(value);
}

std::string nextNumber(std::string_view text)
{
    const int value = toInt(text);
    if (value == INT_MAX)
        throw ConvertError(text);
    return std::to_string(value + 1);
}

}  // namespace qz
