#include "platform.h"

#include "field_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace qz::ui {

void showError(Platform& platform, const QString& text)
{
    platform.messageBox(QStringLiteral("Błąd"), text, BoxIcon::Error, BoxButtons::Ok);
}

void showInformation(Platform& platform, const QString& text)
{
    platform.messageBox(QStringLiteral("Informacja"), text, BoxIcon::Information, BoxButtons::Ok);
}

BoxAnswer QtPlatform::messageBox(const QString& caption, const QString& text, BoxIcon icon, BoxButtons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case BoxIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case BoxIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case BoxIcon::Question: box.setIcon(QMessageBox::Question); break;
    case BoxIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case BoxButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case BoxButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case BoxButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return BoxAnswer::Yes;
    case QMessageBox::No: return BoxAnswer::No;
    case QMessageBox::Cancel: return BoxAnswer::Cancel;
    default: return buttons == BoxButtons::Ok ? BoxAnswer::Ok : BoxAnswer::Cancel;
    }
}

QString QtPlatform::inputBox(const QString& caption, const QString& prompt, const QString& value)
{
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(value);
    // Every entry asked for is a field of a file's line.
    if (auto* field = box.findChild<QLineEdit*>())
        keepOnOneLine(field);
    return box.exec() == QDialog::Accepted ? box.textValue() : value;
}

std::optional<QString> QtPlatform::saveFileName(const QString& filter, const QString& proposal)
{
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), proposal, filter,
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtPlatform::openFileName(const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void QtPlatform::beep() { QApplication::beep(); }

}  // namespace qz::ui
