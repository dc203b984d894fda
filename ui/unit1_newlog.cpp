// Archiving the log and starting a new one.

#include "unit1.h"

#include "codec.h"
#include "failure_box.h"
#include "files.h"
#include "logbook.h"
#include "station_files.h"
#include "unit1_entry_panel.h"

#include <QCoreApplication>

namespace qz::ui {
namespace {

const QString kAllFilesFilter = QStringLiteral("Wszystkie pliki (*)");

}  // namespace

void TForm1::Button8Click()
{
    const LogFile& log = logbook_.file();
    const QString proposal = fromPath(context_.folder / log.proposedArchiveName());
    std::filesystem::path archive;
    for (;;) {
        const std::optional<QString> chosen = context_.platform.saveFileName(kAllFilesFilter, proposal);
        if (!chosen)
            return;
        archive = toPath(*chosen);
        // The log copied onto itself would truncate what is being copied; onto
        // another file of the program it would take that file's place.
        if (isStationFile(context_.folder, archive) ||
            files::sameFile(archive, toPath(QCoreApplication::applicationFilePath()))) {
            showError(context_.platform,
                      QStringLiteral("Plik %1 jest plikiem roboczym programu i nie może być archiwum logu!\n"
                                     "Wybierz inną nazwę pliku.")
                          .arg(*chosen));
            continue;
        }
        if (!std::filesystem::exists(archive))
            break;
        const BoxAnswer answer = context_.platform.messageBox(
            QStringLiteral("Ostrzeżenie"),
            QStringLiteral("Plik %1 istnieje.\nCzy zastąpić istniejący plik?").arg(*chosen), BoxIcon::Warning,
            BoxButtons::YesNoCancel);
        if (answer == BoxAnswer::Cancel)
            return;
        if (answer == BoxAnswer::Yes)
            break;
    }

    // The archive is complete and on the disk before the log is emptied, and
    // the windows are reset only once it is.
    logbook_.archiveTo(archive);
    logbook_.startNewLog();
    entry_->resetForNewLog();
}

}  // namespace qz::ui
