#pragma once
// The modal boxes, the file dialogs and the beep, behind one interface so that
// window tests can answer them from a script.

#include <QString>
#include <optional>

class QWidget;

namespace qz::ui {

enum class BoxIcon { Error, Warning, Question, Information };
enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

class Platform {
public:
    virtual ~Platform() = default;
    virtual BoxAnswer messageBox(const QString& caption, const QString& text, BoxIcon icon, BoxButtons buttons) = 0;
    // Cancel gives back `value` unchanged. The entry stays on one line, as
    // keepOnOneLine (field_text.h) keeps a field.
    virtual QString inputBox(const QString& caption, const QString& prompt, const QString& value) = 0;
    // A full path, or nothing when the user cancels.
    virtual std::optional<QString> saveFileName(const QString& filter, const QString& proposal) = 0;
    // An existing file to read: a full path, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(const QString& filter) = 0;
    virtual void beep() = 0;
};

// The program's own message boxes: caption "Błąd" with an error icon, and
// "Informacja" with an information icon, each with OK only.
void showError(Platform& platform, const QString& text);
void showInformation(Platform& platform, const QString& text);

// The boxes of the running program.
class QtPlatform final : public Platform {
public:
    BoxAnswer messageBox(const QString& caption, const QString& text, BoxIcon icon, BoxButtons buttons) override;
    QString inputBox(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> saveFileName(const QString& filter, const QString& proposal) override;
    std::optional<QString> openFileName(const QString& filter) override;
    void beep() override;
};

}  // namespace qz::ui
