#pragma once
// The only crossing between the files' Windows-1250 bytes and Qt's text.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace qz {

QString fromCp1250(std::string_view bytes);
// The program's own ASCII texts: the entries of its band and mode tables, the
// answers of rigctld.
QString fromAscii(std::string_view text);
// What the system and the standard library say (an exception's what()), in
// the locale's own encoding.
QString fromSystemText(std::string_view text);
// Characters that Windows-1250 cannot hold become "?".
std::string toCp1250(const QString& text);
// UTF-8, for what is hashed rather than written to a station file.
std::string utf8Bytes(const QString& text);

// File names are not Windows-1250 text but the system's own encoding.
std::filesystem::path toPath(const QString& name);
QString fromPath(const std::filesystem::path& path);

}  // namespace qz
