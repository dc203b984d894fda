#pragma once
// The columns a field of a log line fills as composed, for tests that check a
// field whole where the readers would take fewer columns.

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

}  // namespace qz::test
