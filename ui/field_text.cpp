#include "field_text.h"

#include "text.h"

#include <QLineEdit>
#include <QValidator>
#include <string_view>

namespace qz::ui {
namespace {

std::u16string_view utf16Of(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// A validator sees every change of the text before anyone else does, the
// program's own setText included, and may change it.
class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override
    {
        auto cursor = static_cast<std::size_t>(position);
        const std::u16string single = oneLine<char16_t>(utf16Of(input), &cursor);
        if (single != utf16Of(input)) {
            input = QString::fromStdU16String(single);
            position = static_cast<int>(cursor);
        }
        return Acceptable;
    }
};

}  // namespace

void keepOnOneLine(QLineEdit* field) { field->setValidator(new OneLineValidator(field)); }

QString oneLineText(const QString& text) { return QString::fromStdU16String(oneLine<char16_t>(utf16Of(text))); }

QString tooLongText(const QString& field, std::size_t length, std::size_t limit)
{
    return QStringLiteral("Za długi tekst w polu „%1”!\nNajwiększa liczba znaków: %2, wpisano: %3.")
        .arg(field)
        .arg(limit)
        .arg(length);
}

void filterLikeTyping(QLineEdit* field, std::function<bool(QChar)> accepts, std::function<void()> refused)
{
    QObject::connect(field, &QLineEdit::textEdited, field,
                     [field, accepts = std::move(accepts), refused = std::move(refused)] {
                         const QString text = field->text();
                         QString kept;
                         int cursor = 0;
                         for (qsizetype i = 0; i < text.size(); ++i) {
                             if (!accepts(text[i]))
                                 continue;
                             kept += text[i];
                             if (i < field->cursorPosition())
                                 ++cursor;
                         }
                         if (kept.size() == text.size())
                             return;
                         field->setText(kept);
                         field->setCursorPosition(cursor);
                         if (refused)
                             refused();
                     });
}

}  // namespace qz::ui
