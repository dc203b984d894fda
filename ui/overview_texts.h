#pragma once
// What the contest overview writes about the data files and which callsigns
// it offers while a callsign is typed.

#include "call_list.h"
#include "contest_data.h"

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

namespace qz::ui {

// Where the data file was found and what was wrong with it, or where it was
// looked for.
QString describeFile(const DataFileReport& report, const std::vector<std::filesystem::path>& folders);

// The callsigns of both lists that contain the letters, the exact one first,
// the rest in sorted order, each once, at most `limit`.
std::vector<std::string> partialMatches(const std::string& typed, const CallList* published, const CallList& logged,
                                        std::size_t limit);

}  // namespace qz::ui
