#pragma once
// The QSO being typed in the main window, as the windows beside it see it:
// plain data, handed on whenever the callsign, the band, the mode or the
// received exchange changes.

#include "exchange_prediction.h"
#include "log_line.h"
#include "worked_before.h"

#include <optional>
#include <string>

namespace qz::ui {

struct TypedQso {
    std::string call;  // as it would be stored
    // The selected entries of the band and mode lists; none while a list
    // holds typed text that is not one of its entries.
    const Band* band = nullptr;
    const Mode* mode = nullptr;
    std::string receivedExchange;  // as it would be stored
    // Whether the current operator has worked the call before, and where.
    WorkedVerdict verdict = WorkedVerdict::New;
    // What the station is expected to send, and where that comes from.
    std::optional<Prediction> expected;
};

}  // namespace qz::ui
