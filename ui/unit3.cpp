#include "unit3.h"

#include "unit1.h"

namespace qz::ui {

TForm3::TForm3(const StationContext& context, TForm1* form1, QWidget* parent)
    : QWidget(parent), context_(context), form1_(form1)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Zapis pliku ADIF"));
}

}  // namespace qz::ui
