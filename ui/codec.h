#pragma once
// The only crossing between the files' Windows-1250 bytes and Qt's text.

#include <QString>
#include <string>

namespace qz::ui {

QString fromCp1250(const std::string& bytes);
// Characters that Windows-1250 cannot hold become "?".
std::string toCp1250(const QString& text);

}  // namespace qz::ui
