#include "hint_timing.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace qz::ui {
namespace {

class HintTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintPauseMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr int kHintGap = 2;

// Remembers which control a hint is asked for, and moves the hint's window
// off it whenever the window is shown or placed.
class HintPlacement : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::ToolTip:
            // The event goes up from the control under the pointer to the
            // first one that has a hint.
            if (!widget->toolTip().isEmpty())
                explained_ = widget;
            break;
        case QEvent::Show:
            if (widget->windowType() == Qt::ToolTip) {
                keepClear(widget);
                // The window system's window of a hint may be made anew while
                // it is being shown, and would then lose what was set here.
                QMetaObject::invokeMethod(
                    widget, [widget] { letInputPass(widget); }, Qt::QueuedConnection);
            }
            break;
        case QEvent::Move:
            if (widget->windowType() == Qt::ToolTip)
                keepClear(widget);
            break;
        default: break;
        }
        return false;
    }

private:
    static void letInputPass(QWidget* hint)
    {
        constexpr Qt::WindowFlags passing = Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus;
        if (QWindow* window = hint->windowHandle(); window && (window->flags() & passing) != passing)
            window->setFlags(window->flags() | passing);
    }

    void keepClear(QWidget* hint) const
    {
        if (!explained_ || !explained_->isVisible())
            return;
        const QRect control(explained_->mapToGlobal(QPoint(0, 0)), explained_->size());
        const QRect placed = hint->frameGeometry();
        if (!placed.intersects(control))
            return;
        const QScreen* screen = explained_->screen();
        const QRect room = screen ? screen->availableGeometry() : QRect();
        QPoint corner(placed.left(), control.bottom() + 1 + kHintGap);
        if (screen && corner.y() + placed.height() > room.bottom() + 1)
            corner.setY(control.top() - kHintGap - placed.height());
        hint->move(corner);
    }

    QPointer<QWidget> explained_;
};

}  // namespace

void keepHintsClearOfTheirControls(QObject* owner)
{
    QCoreApplication::instance()->installEventFilter(new HintPlacement(owner));
}

void applyHintTiming(QWidget* window)
{
    if (!dynamic_cast<HintTimingStyle*>(QApplication::style()))
        QApplication::setStyle(new HintTimingStyle);  // the application takes ownership
    for (QWidget* control : window->findChildren<QWidget*>())
        if (!control->toolTip().isEmpty())
            control->setToolTipDuration(kHintShowMs);
}

}  // namespace qz::ui
