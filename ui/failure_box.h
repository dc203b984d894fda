#pragma once
// The application-wide error box. Every handler that the event loop calls runs
// through `guarded`, so no exception ever crosses Qt's event loop: a failed
// file operation or number conversion ends the action, is shown with its
// standard text (and the file's name), and the program keeps running.

#include "errors.h"
#include "platform.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <utility>

namespace qz::ui {

inline const QString kApplicationTitle = QStringLiteral("QZ5KV Stationbook");

// What a failed file operation is said with: the standard text, the file's
// path, and one Polish sentence naming the file and the likely cause.
QString failureText(int code, const std::filesystem::path& path);
QString failureText(const IoError& error);

// A failed file operation that the box offers to mend: below the failure's
// text it asks `question`; Yes runs `mend`, No runs `decline` when there is one.
class MendableFailure : public IoError {
public:
    MendableFailure(const IoError& failure, QString question, std::function<void()> mend,
                    std::function<void()> decline = {});
    const QString& question() const { return question_; }
    const std::function<void()>& mend() const { return mend_; }
    const std::function<void()>& decline() const { return decline_; }

private:
    QString question_;
    std::function<void()> mend_;
    std::function<void()> decline_;
};

// Shows the standard error box for the exception currently being handled; for
// a MendableFailure, asks its question and does what the answer says (a
// failure of that is shown in a box of its own).
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

// Makes the slots through which a window's handlers are connected: each runs
// its handler under the error box. The signal's arguments go to a handler that
// takes parameters and are dropped for one that takes none (a button's
// "checked", for instance).
//
//     const Guard guard(context_.platform, this);
//     connect(Button1, &QPushButton::clicked, this, guard(&TForm2::Button1Click));
template <typename Window>
class Guard {
public:
    Guard(Platform& platform, Window* window) : platform_(&platform), window_(window) {}

    template <typename... Params>
    auto operator()(void (Window::*handler)(Params...)) const
    {
        return [platform = platform_, window = window_, handler](auto&&... args) {
            if constexpr (sizeof...(Params) == 0)
                guarded(*platform, [&] { (window->*handler)(); });
            else
                guarded(*platform, [&] { (window->*handler)(std::forward<decltype(args)>(args)...); });
        };
    }

private:
    Platform* platform_;
    Window* window_;
};

}  // namespace qz::ui
