#pragma once
// The application-wide error box. Every handler that the event loop calls runs
// through `guarded`, so no exception ever crosses Qt's event loop: a failed
// file operation or number conversion ends the action, is shown with its
// standard text (and the file's name), and the program keeps running.

#include "platform.h"

#include <exception>
#include <utility>

namespace qz::ui {

inline const QString kApplicationTitle = QStringLiteral("QZ5KV Stationbook");

// Shows the standard error box for the exception currently being handled.
void reportCurrentException(Platform& platform) noexcept;

template <typename Action>
void guarded(Platform& platform, Action&& action) noexcept
{
    try {
        std::forward<Action>(action)();
    } catch (...) {
        reportCurrentException(platform);
    }
}

}  // namespace qz::ui
