// Joining another computer's log into this one.

#include "logbook.h"

namespace qz::ui {

std::optional<std::size_t> Logbook::join(const std::filesystem::path& other)
{
    const std::optional<std::size_t> added = file_.join(other);
    // Every window follows the reload: the list, the banner, the overview.
    if (added && *added > 0)
        reload();
    return added;
}

}  // namespace qz::ui
