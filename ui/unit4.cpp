#include "unit4.h"

#include "unit1.h"

namespace qz::ui {

TForm4::TForm4(const StationContext& context, TForm1* form1, QWidget* parent)
    : QWidget(parent), context_(context), form1_(form1)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral(""));
}

}  // namespace qz::ui
