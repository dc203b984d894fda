// Sharing the station's log through the broker, in a program built with the
// broker's client library.

#include "codec.h"
#include "failure_box.h"
#include "share_status.h"
#include "share_wiring.h"
#include "station.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QSysInfo>

namespace qz::ui {
namespace {

// This machine and this station folder on it: a folder copied whole to
// another computer, or beside itself, is told from the one it was copied from.
std::string machineIdentity(const std::filesystem::path& folder)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QSysInfo::machineUniqueId());
    hash.addData(QByteArrayView(utf8Bytes(fromPath(std::filesystem::weakly_canonical(folder)))));
    const QByteArray hex = hash.result().toHex().left(32);
    return {hex.constData(), static_cast<std::size_t>(hex.size())};
}

}  // namespace

void Station::startSharing(const ShareSetting& setting)
{
    guarded(context_.platform, [&] {
        // The journal keeps the name a computer was given the first time,
        // unless it was copied from another computer.
        logbook.startSharing(
            newComputerName(toCp1250(QSysInfo::machineHostName()), QRandomGenerator::global()->generate()),
            machineIdentity(context_.folder));
        auto broker = linkToBroker(logbook, setting);
        const auto show = [this, shown = broker.get()] { form1.showSharing(shareStatusOf(*shown)); };
        QObject::connect(broker.get(), &link::ShareLink::changed, &form1, show);
        QObject::connect(broker.get(), &link::ShareLink::spotReceived, &bandMap, &BandMapWindow::addSpot);
        shareSpot_ = [shown = broker.get()](const Spot& spot) { shown->sendSpot(spot); };
        shareLink_ = std::move(broker);
        show();
    });
}

}  // namespace qz::ui
