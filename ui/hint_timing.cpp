#include "hint_timing.h"

#include <QApplication>
#include <QProxyStyle>
#include <QWidget>

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

}  // namespace

void applyHintTiming(QWidget* window)
{
    if (!dynamic_cast<HintTimingStyle*>(QApplication::style()))
        QApplication::setStyle(new HintTimingStyle);  // the application takes ownership
    for (QWidget* control : window->findChildren<QWidget*>())
        if (!control->toolTip().isEmpty())
            control->setToolTipDuration(kHintShowMs);
}

}  // namespace qz::ui
