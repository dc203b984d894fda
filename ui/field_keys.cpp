#include "field_keys.h"

#include "codec.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace qz::ui {
namespace {

// Alt without Ctrl: a command key. With Ctrl as well it is AltGr, which types.
bool isAltCommand(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
}

// What a field takes as typing: one printable character, or Backspace or
// Enter, which the system the operators know also delivers as characters.
// Ctrl alone with a key is a shortcut (copy, paste, select all).
bool isTypedCharacter(const QString& text, Qt::KeyboardModifiers modifiers)
{
    if (text.size() != 1 || ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)))
        return false;
    const QChar c = text.front();
    return c == QLatin1Char('\b') || c == QLatin1Char('\r') || c.category() != QChar::Other_Control;
}

class AltKeysTypeNothing : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.text().isEmpty() || !isAltCommand(shiftState(key)))
            return false;
        // The same key without its text; it makes its own way up to the
        // parents, so the original stops here.
        QKeyEvent bare(key.type(), key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                       key.nativeModifiers(), QString(), key.isAutoRepeat(), static_cast<quint16>(key.count()),
                       key.device());
        QCoreApplication::sendEvent(watched, &bare);
        event->accept();
        return true;
    }
};

// The focus goes on to another control of the field's window. Not when the
// window goes to the background or a popup opens, and not when the field is
// being destroyed with its window: the focus then goes nowhere, and the
// window's handlers must not run on a window that is no longer one.
bool movesWithinWindow(QObject* field, const QEvent& event)
{
    const auto reason = static_cast<const QFocusEvent&>(event).reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    const QWidget* next = QApplication::focusWidget();
    return next && next->window() == static_cast<QWidget*>(field)->window();
}

class FieldKeyFilter : public QObject {
public:
    FieldKeyFilter(QObject* owner, FieldKeys keys) : QObject(owner), keys_(std::move(keys)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            return keyPress(static_cast<QKeyEvent&>(*event));
        if (event->type() == QEvent::FocusOut && keys_.exit && movesWithinWindow(watched, *event))
            keys_.exit();
        return QObject::eventFilter(watched, event);
    }

private:
    bool keyPress(const QKeyEvent& event)
    {
        const Qt::KeyboardModifiers modifiers = shiftState(event);
        if (keys_.keyDown)
            keys_.keyDown(virtualKey(event.key()), modifiers);
        if (isAltCommand(modifiers))
            return true;
        const QString text = event.text();
        if (!keys_.keyPress || !isTypedCharacter(text, modifiers))
            return false;
        const std::string bytes = toCp1250(text);
        char key = bytes.size() == 1 ? bytes[0] : '?';
        keys_.keyPress(key);
        return key == 0;
    }

    FieldKeys keys_;
};

// The click that brings the focus places the cursor when the button goes
// down; the selection is made when it comes up, after that.
class SelectOnMouseEntry : public QObject {
public:
    SelectOnMouseEntry(QLineEdit* field, std::function<bool()> selects)
        : QObject(field), field_(field), selects_(std::move(selects))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            armed_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason && selects_();
            break;
        case QEvent::MouseButtonRelease:
            if (armed_)
                field_->selectAll();
            armed_ = false;
            break;
        case QEvent::FocusOut: armed_ = false; break;
        default: break;
        }
        return false;
    }

private:
    QLineEdit* field_;
    std::function<bool()> selects_;
    bool armed_ = false;
};

}  // namespace

void selectAllOnMouseEntry(QLineEdit* field, std::function<bool()> selects)
{
    field->installEventFilter(new SelectOnMouseEntry(field, std::move(selects)));
}

void attachFieldKeys(QWidget* field, FieldKeys keys)
{
    field->installEventFilter(new FieldKeyFilter(field, std::move(keys)));
}

void keepAltKeysFromTyping(QObject* owner)
{
    QCoreApplication::instance()->installEventFilter(new AltKeysTypeNothing(owner));
}

int virtualKey(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return kVkPageUp;
    case Qt::Key_PageDown: return kVkPageDown;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

Qt::KeyboardModifiers shiftState(const QKeyEvent& event)
{
    Qt::KeyboardModifiers modifiers = event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event.modifiers() & Qt::GroupSwitchModifier)
        modifiers |= Qt::ControlModifier | Qt::AltModifier;
    return modifiers;
}

}  // namespace qz::ui
