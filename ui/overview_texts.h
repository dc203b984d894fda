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

// The callsigns that contain the letters, each once, at most `limit`: the
// exact one first, then those of the operator's own QSOs (where a dupe is),
// of the rest of the log and of the published list, each group in sorted
// order, so that no callsign of the log gives way to one only published.
std::vector<std::string> partialMatches(const std::string& typed, const CallList* published, const CallList& own,
                                        const CallList& logged, std::size_t limit);

}  // namespace qz::ui
