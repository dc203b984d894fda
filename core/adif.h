#pragma once
// ADIF 2.0 text of one operator's contest log. Pure builders: a record line
// from a log line, and the header of a file.

#include <string>
#include <string_view>
#include <vector>

namespace qz::adif {

// "ADIF 2.0", the program's own line, "<EOH>".
std::vector<std::string> headerLines();

// One record on one line, ended by "<EOR>". Every count is the number of bytes
// of its value; the comment item (on one line, as oneLine makes it) is left
// out when the comment is empty.
std::string recordLine(std::string_view logLine, std::string_view comment);

}  // namespace qz::adif
