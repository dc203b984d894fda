// Sharing the station's log through the broker, in a program built with the
// broker's client library.

#include "failure_box.h"
#include "share_link.h"
#include "share_status.h"
#include "station.h"

#include <QRandomGenerator>
#include <QSysInfo>

namespace qz::ui {

void Station::startSharing(const ShareSetting& setting)
{
    guarded(context_.platform, [&] {
        // The journal keeps the name a computer was given the first time.
        logbook.startSharing(
            newComputerName(QSysInfo::machineHostName().toStdString(), QRandomGenerator::global()->generate()));
        auto link = std::make_unique<ShareLink>(logbook, setting);
        const auto show = [this, shown = link.get()] { form1.showSharing(shareStatusOf(*shown)); };
        QObject::connect(link.get(), &ShareLink::changed, &form1, show);
        shareLink_ = std::move(link);
        show();
    });
}

}  // namespace qz::ui
