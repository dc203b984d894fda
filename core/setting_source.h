#pragma once
// The station's small settings (the radio's address, the sharing, CW) come from
// the command line or from a short text file in the station folder. A
// setting that cannot be used never stops the program: it is passed over,
// and what was passed over, where and why is kept to be shown.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

enum class SettingProblem {
    None,
    // An address: nothing given, no ":PORT", a port out of 1-65535, a host
    // that is no name or address.
    Empty,
    NoPort,
    BadPort,
    BadHost,
    // The file could not be read (`detail` has the file error's text).
    Unreadable,
    // A file of KEY=VALUE lines: a file or a value too long, a line without
    // '=', a key that is not known or given twice, a byte that is no
    // printable ASCII, no address, a station name that cannot name a topic,
    // a password without a user.
    TooLong,
    NotKeyValue,
    UnknownKey,
    RepeatedKey,
    BadCharacter,
    NoAddress,
    BadName,
    PasswordWithoutUser,
    // A value that is not one of those its key or setting takes ("ESM=yes",
    // "WPM=70", "--cw winkeyer").
    BadValue,
    // A file of sections: a "[NAME]" line of no known section, or a line
    // before any section.
    UnknownSection,
    // A tab or another control character inside a text.
    ControlCharacter,
};

struct IgnoredSetting {
    std::string source;  // the command-line option or the file's name
    std::string text;    // as it was given (Windows-1250 bytes from the file)
    SettingProblem problem = SettingProblem::None;
    std::string detail;    // the file error's text when the file was unreadable
    std::size_t line = 0;  // the file's line from 1; 0 for a whole file or the command line
};

// The first `limit` bytes of the file `name` in `folder`, or nothing when
// there is no such file (a folder of that name is no file) or it cannot be
// read; the latter is added to `ignored`.
std::optional<std::string> readSettingFile(const std::filesystem::path& folder, std::string_view name,
                                           std::size_t limit, std::vector<IgnoredSetting>& ignored);

// The first fault of a file of KEY=VALUE lines.
struct KeyValueFault {
    SettingProblem problem = SettingProblem::None;
    std::size_t line = 0;  // from 1; 0 for the whole file
    std::string key;       // in lower case; empty for a line without '='
    std::string value;
    std::string text;  // the line as it stands, without its blanks at either end
};

// Hands each KEY=VALUE line of `content` to `take` (blank lines and lines
// starting with '#' aside; the key in lower case, blanks around key and value
// dropped) until it names a problem. A file over `limit` bytes is refused
// whole.
std::optional<KeyValueFault>
readKeyValues(std::string_view content, std::size_t limit,
              const std::function<SettingProblem(const std::string& key, const std::string& value)>& take);

}  // namespace qz
