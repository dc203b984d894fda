#include "station.h"

#include "codec.h"
#include "failure_box.h"
#include "field_keys.h"

#include <QLineEdit>
#include <QScreen>
#include <QStyle>

namespace qz::ui {

namespace {

// The main window opens in the middle of its screen, at its own size.
void centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry()));
}

}  // namespace

Station::Station(const StationContext& context)
    : form1(context), form2(context, &form1), form3(context, &form1), form4(context, &form1),
      overview(context, form1, form2)
{
    form1.setPeers(&form2, &form3, &form4);
    QObject::connect(&form1, &TForm1::overviewRequested, &overview, &ContestOverview::toggle);
    keepAltKeysFromTyping(&form1);
}

bool Station::lockFolder()
{
    const StationContext& context = form1.context();
    try {
        lock_ = StationLock::acquire(context.folder);
    } catch (...) {
        // Where the lock cannot even be opened, this account cannot write the
        // log either: it can still be read, and each store that fails says why.
        reportCurrentException(context.platform);
        return true;
    }
    if (lock_)
        return true;
    showError(context.platform, QStringLiteral("Program QZ5KV Stationbook jest już uruchomiony w folderze %1.\n"
                                               "Drugiej kopii nie można uruchomić, bo obie zapisywałyby ten sam log.")
                                    .arg(fromPath(context.folder)));
    return false;
}

void Station::start()
{
    guarded(form1.context().platform, [this] { form1.FormCreate(); });
    centreOnScreen(form1);
    form1.show();
    // The operator starts by typing a callsign over the headquarters default.
    TForm1::focusField(form1.Edit4);
}

}  // namespace qz::ui
