#pragma once
// Why a setting of the radio, the sharing or CW was passed over, one line per
// setting, for the hint that tells the operator what is in force.

#include "setting_source.h"

#include <QString>
#include <vector>

namespace qz::ui {

QString radioSettingNotes(const std::vector<IgnoredSetting>& ignored);
QString shareSettingNotes(const std::vector<IgnoredSetting>& ignored);
QString clusterSettingNotes(const std::vector<IgnoredSetting>& ignored);
QString cwSettingNotes(const std::vector<IgnoredSetting>& ignored);
// The lines of the messages file that were passed over, for its window.
QString messageSettingNotes(const std::vector<IgnoredSetting>& ignored);

}  // namespace qz::ui
