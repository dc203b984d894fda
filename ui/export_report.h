#pragma once
// What both export buttons tell the user when an export stops before writing.

#include "contest_export.h"
#include "platform.h"

namespace qz::ui {

// Shows the error box of an export that stopped before writing; false when
// the export ran to its end.
bool reportStoppedExport(Platform& platform, const ExportResult& result);

}  // namespace qz::ui
