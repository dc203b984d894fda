#pragma once
// The columns a field of a log line fills as composed, for tests that check a
// field whole where the readers would take fewer columns; and a line as an
// editor leaves it that trims trailing blanks on saving.

#include "log_line.h"
#include "text.h"

#include <string>
#include <string_view>

namespace qz::test {

inline std::string storedField(std::string_view line, Field field)
{
    const FieldColumns& f = layoutOf(field);
    return columns(line, f.first, f.last());
}

inline std::string trimmedByAnEditor(std::string_view line)
{
    return std::string(line.substr(0, line.find_last_not_of(' ') + 1));
}

}  // namespace qz::test
