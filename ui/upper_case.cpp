#include "upper_case.h"

#include <QLineEdit>

namespace qz::ui {

void makeUpperCase(QLineEdit* field)
{
    // Only the user's own edits are raised (textEdited is not emitted for text
    // the program sets), so a record or a log line is shown as it is stored.
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        QString raised = text;
        for (QChar& c : raised) {
            const QString upper = QString(c).toUpper();
            if (upper.size() == 1)
                c = upper.front();
        }
        if (raised == text)
            return;
        const int cursor = field->cursorPosition();
        field->setText(raised);
        field->setCursorPosition(cursor);
    });
}

}  // namespace qz::ui
