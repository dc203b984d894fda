#pragma once
// What both export buttons tell the user when an export stops before writing
// or cannot write the files of some operators.

#include "contest_export.h"
#include "platform.h"

namespace qz::ui {

// Shows the error box of an export that stopped before writing or could not
// write the files of some operators; false when every file was written.
bool reportStoppedExport(Platform& platform, const ExportResult& result);

}  // namespace qz::ui
