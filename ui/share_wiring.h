#pragma once
// The logbook and its link to the broker, wired both ways: what is changed
// here goes out once the journal holds it, what the others send comes into
// the log, and a journal that cannot be written shows in the status.

#include "logbook.h"
#include "share_link.h"

#include <memory>

namespace qz::ui {

// The logbook must already share (Logbook::startSharing).
std::unique_ptr<link::ShareLink> linkToBroker(Logbook& logbook, const ShareSetting& setting,
                                              link::ShareLink::UtcClock clock = {});

}  // namespace qz::ui
