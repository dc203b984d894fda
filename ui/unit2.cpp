#include "unit2.h"

#include "unit1.h"

namespace qz::ui {

TForm2::TForm2(const StationContext& context, TForm1* form1, QWidget* parent)
    : QWidget(parent), context_(context), form1_(form1)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Nagłówek pliku Cabrillo"));
}

}  // namespace qz::ui
