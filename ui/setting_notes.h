#pragma once
// Why a setting of the radio or of the sharing was passed over, one line per
// setting, for the hint that tells the operator what is in force.

#include "setting_source.h"

#include <QString>
#include <vector>

namespace qz::ui {

QString radioSettingNotes(const std::vector<IgnoredSetting>& ignored);
QString shareSettingNotes(const std::vector<IgnoredSetting>& ignored);
QString clusterSettingNotes(const std::vector<IgnoredSetting>& ignored);

}  // namespace qz::ui
