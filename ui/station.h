#pragma once
// The station's logbook and the four windows of the program, created in
// their fixed order, and the wiring between them: the windows follow the
// logbook, and ask and tell each other only through the signals and plain
// data connected here. The program and the window tests build the same
// station.

#include "band_map_window.h"
#include "cluster_client.h"
#include "cluster_setting.h"
#include "contest_overview.h"
#include "cw_setting.h"
#include "logbook.h"
#include "rig_setting.h"
#include "share_setting.h"
#include "station_context.h"
#include "station_lock.h"
#include "unit1.h"
#include "unit2.h"
#include "unit3.h"
#include "unit4.h"

#include <functional>
#include <memory>
#include <string>

namespace qz::link {
class RigctldSession;
}

namespace qz::ui {

class Station {
public:
    explicit Station(const StationContext& context);

    // Takes the station folder's lock for as long as the station lives. False,
    // after saying so, when another copy of the program already uses the
    // folder. A lock that cannot be taken at all (a folder the user may not
    // write, a lock file of another account) is reported with its file and the
    // program goes on: the log is still shown, and every store or save fails
    // with its own error box.
    bool lockFolder();

    // Runs the main window's start-up and shows it.
    void start();
    // Whether and how the log is shared, chosen once after start-up;
    // settings passed over are told in the main window's band list hint, as
    // the radio's are. From then on the log is shared with the station's
    // other computers, and the main window shows how; a journal that cannot
    // be read is reported, and the log stays this computer's own.
    void chooseSharing(const qz::ShareChoice& choice);
    // How the function keys send CW, chosen once after start-up, and the
    // radio's PTT for the recordings where the radio is followed; settings
    // passed over are told as the radio's are, and the main window says in
    // its line what CW goes through.
    void chooseCw(const qz::CwChoice& cw, const qz::RigChoice& rig);
    // Nothing: the log is not shared.
    const std::optional<qz::ShareSetting>& sharing() const { return share_.setting; }
    // Whether spots are read from a cluster node, chosen once after start-up;
    // settings passed over are told in the band list's hint.
    void chooseCluster(const qz::ClusterChoice& choice, const link::ClusterTiming& timing = {});

    // First, so that it outlives every window that observes it.
    Logbook logbook;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    ContestOverview overview;
    BandMapWindow bandMap;

private:
    StationContext context_;
    std::unique_ptr<StationLock> lock_;
    // The link to the broker (a ShareLink) where the log is shared; last, so
    // that it goes before the logbook and the windows it tells.
    std::unique_ptr<QObject> shareLink_;
    // The radio's rigctld for keying and PTT, where the radio is followed.
    std::shared_ptr<link::RigctldSession> rigSession_;
    // Passes a spot of the cluster node on to the station's other computers
    // while the log is shared.
    std::function<void(const qz::Spot&)> shareSpot_;
    std::unique_ptr<QObject> cluster_;
    void startSharing(const ShareSetting& setting);

    ShareChoice share_;
};

}  // namespace qz::ui
