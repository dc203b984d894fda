#include "unit4.h"

#include "combo_lists.h"
#include "control_setup.h"
#include "failure_box.h"
#include "window_front.h"

#include <QComboBox>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace qz::ui {
namespace {

constexpr int kListFontPixels = 19;
constexpr int kButtonFontPixels = 16;

QString captionOf(PickKind kind)
{
    switch (kind) {
    case PickKind::Band: return QStringLiteral("Wybór pasma");
    case PickKind::Mode: return QStringLiteral("Wybór emisji");
    case PickKind::Operator: return QStringLiteral("Wybór operatora");
    }
    return {};
}

}  // namespace

TForm4::TForm4(StationContext context, PickHandler onPick, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(std::move(context)),
      onPick_(std::move(onPick))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QString());
    setFixedSize(277, 68);
    move(449, 272);

    ComboBox1 = named(new QComboBox(this), "ComboBox1");
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

    Button1 = named(new QPushButton(QStringLiteral("OK"), this), "Button1");
    Button1->setGeometry(184, 16, 75, 33);
    QFont buttonFont = Button1->font();
    buttonFont.setPixelSize(kButtonFontPixels);
    Button1->setFont(buttonFont);
    // Enter in the list must not press OK.
    Button1->setAutoDefault(false);
    Button1->setDefault(false);

    setTabChain({ComboBox1, Button1});
    connect(Button1, &QPushButton::clicked, this, Guard(context_.platform, this)(&TForm4::Button1Click));
}

void TForm4::open(PickKind kind, const QStringList& entries, int selected)
{
    kind_ = kind;
    ComboBox1->clear();
    ComboBox1->clearEditText();
    ComboBox1->addItems(entries);
    ComboBox1->setCurrentIndex(selected);
    setWindowTitle(captionOf(kind));
    bringToFront(*this);
}

void TForm4::Button1Click()
{
    const int position = selectedIndex(ComboBox1);
    if (position < 0) {
        showError(context_.platform, QStringLiteral("Należy wybrać pozycję z listy!"));
        return;
    }
    onPick_(kind_, position, ComboBox1->itemText(position));
    hide();
}

}  // namespace qz::ui
