#include "unit4.h"

#include "codec.h"
#include "combo_lists.h"
#include "failure_box.h"
#include "log_corrections.h"
#include "unit1.h"

#include <QComboBox>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <stdexcept>

namespace qz::ui {
namespace {

constexpr int kListFontPixels = 19;
constexpr int kButtonFontPixels = 16;

// The change that OK makes, told by the caption the opening command set.
std::function<std::string(const std::string&)> pickedChange(const QString& caption, int position, const QString& text)
{
    const auto row = static_cast<std::size_t>(position);
    if (caption == kPickOperatorCaption)
        return [op = toCp1250(text)](const std::string& line) { return withOperator(line, op); };
    if (caption == kPickModeCaption)
        return [row](const std::string& line) { return withMode(line, row); };
    if (caption == kPickBandCaption)
        return [row](const std::string& line) { return withBand(line, row); };
    throw std::logic_error("The pick dialog was opened without a field to change.");
}

}  // namespace

TForm4::TForm4(const StationContext& context, TForm1* form1, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context), form1_(form1)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QString());
    setFixedSize(277, 68);
    move(449, 272);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    // The caption tells which field; the list holds its new value.
    ComboBox1->setAccessibleName(QStringLiteral("Nowa wartość"));
    ComboBox1->setEditable(true);
    // Typed text must never become an entry: OK takes its value from the entries only.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    QFont large = ComboBox1->font();
    large.setPixelSize(kListFontPixels);
    large.setBold(true);
    ComboBox1->setFont(large);
    ComboBox1->setItemDelegate(new QStyledItemDelegate(ComboBox1));
    ComboBox1->setStyleSheet(
        QStringLiteral("QComboBox { color: red; } QComboBox QAbstractItemView::item { min-height: 24px; }"));
    // The height follows the large font.
    ComboBox1->setGeometry(16, 16, 153, ComboBox1->sizeHint().height());

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(184, 16, 75, 33);
    QFont buttonFont = Button1->font();
    buttonFont.setPixelSize(kButtonFontPixels);
    Button1->setFont(buttonFont);
    // Enter in the list must not press OK.
    Button1->setAutoDefault(false);
    Button1->setDefault(false);

    setTabOrder(ComboBox1, Button1);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(context_.platform, [this] { Button1Click(); }); });
}

void TForm4::Button1Click()
{
    const int position = selectedIndex(ComboBox1);
    if (position < 0) {
        showError(context_.platform, QStringLiteral("Należy wybrać pozycję z listy!"));
        return;
    }
    form1_->applyCorrection(pickedChange(windowTitle(), position, ComboBox1->itemText(position)));
    hide();
}

}  // namespace qz::ui
