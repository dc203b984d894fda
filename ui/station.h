#pragma once
// The station's logbook and the four windows of the program, created in
// their fixed order, and the wiring between them: the windows follow the
// logbook, and ask and tell each other only through the signals and plain
// data connected here. The program and the window tests build the same
// station.

#include "contest_overview.h"
#include "logbook.h"
#include "station_context.h"
#include "station_lock.h"
#include "unit1.h"
#include "unit2.h"
#include "unit3.h"
#include "unit4.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qz::ui {

// Where the station's computers share their log.
struct ShareConnection {
    std::string host;
    std::uint16_t port = 1883;
    std::string station;  // the station's name in its messages
    std::string user;     // empty: anonymous
    std::string password;
};

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
    // After start-up: the log is shared with the station's other computers
    // from now on, and the main window shows how. A journal that cannot be
    // read is reported, and the log stays this computer's own.
    void startSharing(const ShareConnection& connection);

    // First, so that it outlives every window that observes it.
    Logbook logbook;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    ContestOverview overview;

private:
    StationContext context_;
    std::unique_ptr<StationLock> lock_;
    // The link to the broker (a ShareLink) where the log is shared; last, so
    // that it goes before the logbook and the windows it tells.
    std::unique_ptr<QObject> shareLink_;
};

}  // namespace qz::ui
