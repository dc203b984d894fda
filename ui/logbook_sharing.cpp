// The logbook's part in sharing the log with the station's other computers.

#include "errors.h"
#include "failure_box.h"
#include "logbook.h"

#include <algorithm>

namespace qz::ui {

SharedLog::Recovery Logbook::startSharing(std::string newName, std::string machine)
{
    shared_ = std::make_unique<SharedLog>(file_, std::move(newName), std::move(machine));
    // After a crash the log may have changed under the view.
    if (shared_->recovery().redone > 0)
        reload();
    return shared_->recovery();
}

void Logbook::shareStored(const std::string& line, std::string_view appended)
{
    // The QSO is in the log whatever happens here: a journal that cannot be
    // written is said, and the QSO is shared after the next start-up, which
    // finds it in the log beyond what the journal knows.
    try {
        const std::vector<ShareEvent> made = shared_->stored(line, appended);
        if (!made.empty())
            emit shared(made);
    } catch (const IoError& error) {
        emit sharingFailed(failureText(error));
    }
}

std::optional<std::string> Logbook::rewrite(const std::string& selected, const LogFile::LineChange& change)
{
    std::optional<std::string> changed;
    onLog([&] {
        if (!shared_) {
            changed = file_.rewrite(selected, change);
            return;
        }
        SharedLog::Change result = shared_->rewrite(selected, change);
        if (!result.events.empty())
            emit shared(result.events);
        changed = std::move(result.lastChanged);
    });
    return changed;
}

bool Logbook::removeLine(const std::string& line, std::size_t occurrence)
{
    bool removed = false;
    onLog([&] {
        if (!shared_) {
            removed = file_.removeLine(line, occurrence);
            return;
        }
        const SharedLog::Change result = shared_->remove(line, occurrence);
        if (!result.events.empty())
            emit shared(result.events);
        removed = result.matched;
    });
    return removed;
}

void Logbook::receive(const std::vector<ShareEvent>& events)
{
    if (!shared_)
        return;
    // Nobody waits here for an answer: a failure is said beside the log list.
    try {
        const std::vector<LogEdit> edits = shared_->receive(events);
        if (edits.empty())
            return;
        const bool onlyAdditions = std::all_of(edits.begin(), edits.end(),
                                               [](const LogEdit& edit) { return edit.kind == LogEdit::Kind::Append; });
        if (!onlyAdditions) {
            reload();
            return;
        }
        for (const LogEdit& edit : edits)
            takeIntoView(edit.line);
        emit arrived();
    } catch (const IoError& error) {
        emit sharingFailed(failureText(error));
    }
}

}  // namespace qz::ui
