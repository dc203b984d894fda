// A program built without the broker's client library cannot share its log;
// asked to, it says so and keeps the log its own.

#include "failure_box.h"
#include "station.h"

namespace qz::ui {

void Station::startSharing(const ShareSetting& /*setting*/)
{
    showError(context_.platform, QStringLiteral("Ta wersja programu nie umie dzielić logu z innymi komputerami.\n"
                                                "Log jest zapisywany tylko na tym komputerze."));
}

}  // namespace qz::ui
