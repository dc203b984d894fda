// Joining another computer's log (a copy on a USB stick, say) into this one.

#include "unit1.h"

#include "codec.h"
#include "logbook.h"

namespace qz::ui {
namespace {

const QString kLogFilter = QStringLiteral("Logi (*.zrv);;Wszystkie pliki (*)");

}  // namespace

void TForm1::Button9Click()
{
    const std::optional<QString> chosen = context_.platform.openFileName(kLogFilter);
    if (!chosen)
        return;
    const std::filesystem::path other = toPath(*chosen);
    const QString name = fromPath(other);
    const std::optional<std::size_t> added = logbook_.join(other);
    if (!added) {
        showError(context_.platform, QStringLiteral("Plik %1 jest logiem tego komputera lub jego plikiem roboczym.\n"
                                                    "Wybierz log z innego komputera.")
                                         .arg(name));
        return;
    }
    if (*added == 0)
        showInformation(context_.platform,
                        QStringLiteral("Nic do dołączenia: wszystkie QSO z pliku %1 są już w logu.").arg(name));
    else
        showInformation(context_.platform, QStringLiteral("Dołączono %1 QSO z pliku %2.").arg(*added).arg(name));
}

}  // namespace qz::ui
