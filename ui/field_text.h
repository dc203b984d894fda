#pragma once
// What an entry field holds, however the text arrives: typed, pasted, dropped
// or set by the program. Every field whose text goes into a file holds one
// line, and a paste or a drop passes the same filter as typing.

#include <QString>
#include <cstddef>
#include <functional>

class QChar;
class QLineEdit;

namespace qz::ui {

// The field keeps its text on one line as oneLine makes it: a line break or
// a tab becomes one blank between words and goes at either end, so a pasted
// "DL2XYZ" with its line break is "DL2XYZ". The cursor stays where it was in
// what is left.
void keepOnOneLine(QLineEdit* field);
// The same for a text that did not come through such a field.
QString oneLineText(const QString& text);

// The error box's text for an entry longer than its field takes: it names
// the field, the limit and what was typed.
QString tooLongText(const QString& field, std::size_t length, std::size_t limit);

// Characters that reach the field past its key filter (a paste, a drop, the
// context menu) and that `accepts` refuses are taken out again, as typing
// would not have let them in; `refused` then runs once.
void filterLikeTyping(QLineEdit* field, std::function<bool(QChar)> accepts, std::function<void()> refused = {});

}  // namespace qz::ui
