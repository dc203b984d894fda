#pragma once
// Windows-style key handling for one entry field: a key-down that sees the
// virtual-key code and the exact modifier set, a key-press that sees the typed
// character (a Windows-1250 byte) and drops it when the handler sets it to 0,
// and an exit when the focus moves on to another control of the same window.
// Alt with a letter types nothing into the field, as on the system the
// operators are used to; AltGr (Ctrl+Alt) still types its letter.

#include <QObject>
#include <Qt>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace qz::ui {

struct FieldKeys {
    std::function<void(int key, Qt::KeyboardModifiers modifiers)> keyDown;
    std::function<void(char& key)> keyPress;
    std::function<void()> exit;
};

// The filter is owned by the field. The key-press handler sees typed
// characters only: printable ones, Backspace and Enter. Keys that carry a
// control character as their text (Tab "\t", Delete "\x7f", Ctrl+A "\x01")
// and Ctrl shortcuts go to the field untouched, so they work as in any field.
void attachFieldKeys(QWidget* field, FieldKeys keys);

// Makes Alt combinations commands everywhere in the application, never
// typing: a key pressed with Alt (and without Ctrl, since Ctrl+Alt is AltGr,
// which types Polish letters) reaches its widget without its text, so no
// field, list or dialog takes it as a letter, while the key-down handlers
// still see it. The filter is owned by `owner`.
void keepAltKeysFromTyping(QObject* owner);

// When the mouse brings the focus into the field while `selects` says so (it
// holds a default that the next QSO rarely keeps), the click selects the
// whole text, so typing replaces it instead of running on behind it.
void selectAllOnMouseEntry(QLineEdit* field, std::function<bool()> selects);

// The Windows virtual-key code of a Qt key (0 for keys without one here).
int virtualKey(int qtKey);
inline constexpr int kVkReturn = 13;
inline constexpr int kVkPageUp = 33;
inline constexpr int kVkPageDown = 34;
inline constexpr int kVkDown = 40;

// Shift, Ctrl and Alt of the event; keypad and group-switch flags are dropped
// except that AltGr counts as Ctrl+Alt.
Qt::KeyboardModifiers shiftState(const QKeyEvent& event);
inline bool isExactlyAlt(Qt::KeyboardModifiers modifiers) { return modifiers == Qt::AltModifier; }

}  // namespace qz::ui
