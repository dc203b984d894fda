#include "share_wiring.h"

namespace qz::ui {

std::unique_ptr<link::ShareLink> linkToBroker(Logbook& logbook, const ShareSetting& setting,
                                              link::ShareLink::UtcClock clock)
{
    auto broker = std::make_unique<link::ShareLink>(*logbook.sharedLog(), setting, std::move(clock));
    QObject::connect(&logbook, &Logbook::shared, broker.get(), &link::ShareLink::send);
    QObject::connect(&logbook, &Logbook::sharingFailed, broker.get(), &link::ShareLink::journalFailed);
    QObject::connect(broker.get(), &link::ShareLink::received, &logbook, &Logbook::receive);
    return broker;
}

}  // namespace qz::ui
