#include "export_report.h"

#include "codec.h"
#include "failure_box.h"

#include <QStringList>

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
    case ExportStatus::FilesFailed: {
        QStringList failures;
        for (const FailedFile& failed : result.failed)
            failures << QStringLiteral("Nie zapisano pliku operatora %1:\n%2")
                            .arg(fromCp1250(failed.callsign), failureText(failed.errorCode, failed.path));
        showError(platform, failures.join(QStringLiteral("\n\n")));
        return true;
    }
    }
    return true;
}

}  // namespace qz::ui
