// The logbook's part in sharing the log with the station's other computers.

#include "codec.h"
#include "errors.h"
#include "logbook.h"

#include <algorithm>
#include <cerrno>

namespace qz::ui {
namespace {

QString failureCause(int code)
{
    switch (code) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("dysk jest pełny");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return QStringLiteral("brak prawa zapisu");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("nie ma pliku albo jego folderu");
    default: return QStringLiteral("błąd wejścia/wyjścia nr %1").arg(code);
    }
}

QString failureText(const IoError& error)
{
    return QStringLiteral("Nie udało się zapisać pliku %1: %2.")
        .arg(fromPath(error.path()), failureCause(error.code()));
}

}  // namespace

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
    if (!shared_)
        return file_.rewrite(selected, change);
    SharedLog::Change result = shared_->rewrite(selected, change);
    if (!result.events.empty())
        emit shared(result.events);
    return result.lastChanged;
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
