#include "export_report.h"

#include "codec.h"
#include "errors.h"

namespace qz::ui {

bool reportStoppedExport(Platform& platform, const ExportResult& result)
{
    switch (result.status) {
    case ExportStatus::Done: return false;
    case ExportStatus::LogMissing:
        showError(platform, QStringLiteral("Plik \"%1\" nie istnieje!").arg(fromPath(result.problemPath)));
        return true;
    case ExportStatus::OperatorsMissing:
        showError(platform, QStringLiteral("Plik z danymi operatorów (QZ5KV_stationbook.ini) nie został znaleziony!"));
        return true;
    case ExportStatus::OldFileStuck:
        showError(platform, QStringLiteral("Nie można usunąć pliku \"%1\" (%2).\nPliki nie zostały zapisane.")
                                .arg(fromPath(result.problemPath),
                                     QString::fromStdString(IoError::standardText(result.errorCode))));
        return true;
    }
    return true;
}

}  // namespace qz::ui
