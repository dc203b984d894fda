// Joining another computer's log into this one.

#include "logbook.h"

namespace qz::ui {

std::optional<std::size_t> Logbook::join(const std::filesystem::path& other)
{
    std::optional<std::size_t> added;
    onLog([&] { added = file_.join(other); });
    if (added && *added > 0) {
        // Joined QSOs are not shared: the other computer may share them
        // itself, and a QSO must never arrive twice.
        if (shared_)
            shared_->keepLocalChange();
        // Every window follows the reload: the list, the banner, the overview.
        reload();
    }
    return added;
}

}  // namespace qz::ui
