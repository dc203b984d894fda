// Starting the Cabrillo and ADIF exports.

#include "unit1.h"

#include "contest_export.h"
#include "export_report.h"
#include "logbook.h"

namespace qz::ui {

void TForm1::Button2Click()
{
    const ExportResult result = exportCabrillo(context_.folder);
    if (reportStoppedExport(context_.platform, result) || result.files.empty())
        return;
    emit cabrilloExported(result.lastOperator);
    logbook_.reload();
    showInformation(context_.platform, QStringLiteral("Pliki Cabrillo zostały zapisane!"));
}

void TForm1::Button7Click()
{
    hide();
    emit adifExportRequested();
}

}  // namespace qz::ui
