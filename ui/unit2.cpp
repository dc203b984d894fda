#include "unit2.h"

#include "codec.h"
#include "control_setup.h"
#include "failure_box.h"
#include "field_keys.h"
#include "field_text.h"
#include "hint_timing.h"
#include "log_line.h"
#include "logbook.h"
#include "text.h"
#include "upper_case.h"
#include "window_front.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopedValueRollback>
#include <array>

namespace qz::ui {
namespace {

constexpr int kFieldHeight = 21;

// The labels of the fields, by field number, for the messages about a field
// and for a screen reader.
const std::array<QString, kOperatorFieldCount> kFieldCaptions = {
    QStringLiteral("Znak operatora"), QStringLiteral("Imię i nazwisko"),  QStringLiteral("E-mail"),
    QStringLiteral("Adres"),          QStringLiteral("Adres, 2. wiersz"), QStringLiteral("Adres, 3. wiersz"),
    QStringLiteral("Liczba punktów"), QStringLiteral("Kategoria"),        QStringLiteral("Operators"),
    QStringLiteral("Nazwa zawodów"),  QStringLiteral("Dodatkowe uwagi"),
};

const QString kRequiredFields = QStringLiteral("\nWszystkie niebieskie pola muszą być wypełnione!");

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* control = named(new QLabel(caption, parent), name);
    control->move(left, top);
    control->adjustSize();
    return control;
}

QLineEdit* entry(QWidget* parent, const char* name, int left, int top, int width)
{
    auto* control = named(new QLineEdit(parent), name);
    control->setGeometry(left, top, width, kFieldHeight);
    return control;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top, int width)
{
    auto* control = named(new QPushButton(caption, parent), name);
    control->setGeometry(left, top, width, 25);
    return control;
}

void setBackground(QLineEdit* field, const QColor& colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

}  // namespace

TForm2::TForm2(StationContext context, Logbook& logbook, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), logbook_(logbook)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Nagłówek pliku Cabrillo"));
    // Closing the editor only hides it; the program ends with the main window.
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    setFixedSize(730, 266);
    move(193, 235);
    createControls();
    connectHandlers();
    FormCreate();
}

void TForm2::createControls()
{
    Label2 = label(this, "Label2", QStringLiteral("Operatorzy"), 24, 8);
    ListBox1 = named(new QListView(this), "ListBox1");
    ListBox1->setGeometry(24, 24, 121, 153);
    ListBox1->setModel(logbook_.operatorModel());
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Button2 = button(this, "Button2", QStringLiteral("Nowy"), 24, 192, 57);
    Button4 = button(this, "Button4", QStringLiteral("Usuń"), 88, 192, 57);

    Label4 = label(this, "Label4", QStringLiteral("Znak operatora"), 168, 8);
    Edit1 = entry(this, "Edit1", 168, 24, 113);
    Label3 = label(this, "Label3", QStringLiteral("Kategoria"), 304, 8);
    Edit8 = entry(this, "Edit8", 304, 24, 193);
    Edit8->setToolTip(QStringLiteral("Kategoria zawodów, np. A KF, B KF, SINGLE-OP ALL SSB HIGH, UKF, CHECKLOG itp."));
    Label5 = label(this, "Label5", QStringLiteral("Imię i nazwisko"), 168, 48);
    Edit2 = entry(this, "Edit2", 168, 64, 329);
    Label6 = label(this, "Label6", QStringLiteral("E-mail"), 168, 88);
    Edit3 = entry(this, "Edit3", 168, 104, 201);
    Label8 = label(this, "Label8", QStringLiteral("Liczba punktów"), 408, 88);
    Edit7 = entry(this, "Edit7", 408, 104, 89);
    Label7 = label(this, "Label7", QStringLiteral("Adres"), 168, 128);
    Edit4 = entry(this, "Edit4", 168, 144, 329);
    Edit5 = entry(this, "Edit5", 168, 168, 329);
    Edit6 = entry(this, "Edit6", 168, 192, 329);
    Label9 = label(this, "Label9", QStringLiteral("Nazwa zawodów"), 520, 8);
    Edit10 = entry(this, "Edit10", 520, 24, 177);
    Label1 = label(this, "Label1", QStringLiteral("Operators"), 520, 48);
    Edit9 = entry(this, "Edit9", 520, 64, 177);
    Label10 = label(this, "Label10", QStringLiteral("Dodatkowe uwagi"), 520, 88);
    Edit11 = entry(this, "Edit11", 520, 104, 177);
    Button3 = button(this, "Button3", QStringLiteral("Zapisz"), 520, 152, 81);
    Button5 = button(this, "Button5", QStringLiteral("Edytuj"), 520, 192, 81);
    Button1 = button(this, "Button1", QStringLiteral("Powrót"), 616, 192, 81);

    ListBox1->setAccessibleName(Label2->text());
    for (std::size_t i = 0; i < kOperatorFieldCount; ++i) {
        field(i)->setAccessibleName(kFieldCaptions.at(i));
        // A record is one line of the operator file.
        keepOnOneLine(field(i));
        // While browsing the fields are disabled but still the thing to read:
        // keep their text as dark as when they can be edited.
        QPalette readable = field(i)->palette();
        readable.setColor(QPalette::Disabled, QPalette::Text, readable.color(QPalette::Active, QPalette::Text));
        field(i)->setPalette(readable);
    }
    for (QLineEdit* upper : {Edit1, Edit8, Edit10, Edit9})
        makeUpperCase(upper);
    // The required fields stand out: the callsign in aqua, name and first
    // address line (with the other two) in the 3-D light colour.
    setBackground(Edit1, QColor(0x00, 0xff, 0xff));
    for (QLineEdit* highlighted : {Edit2, Edit4, Edit5, Edit6})
        setBackground(highlighted, palette().color(QPalette::Midlight));
    applyHintTiming(this);

    setTabChain({Edit1, Edit8, Edit2, Edit3, Edit7, Edit4, Edit5, Edit6, Edit9, Button3, Button1, Edit10, ListBox1,
                 Button2, Button4, Edit11, Button5});
}

void TForm2::connectHandlers()
{
    const Guard guard(context_.platform, this);
    connect(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, click = guard(&TForm2::ListBox1Click)] {
                if (!selectingFromCode_)
                    click();
            });
    connect(Button1, &QPushButton::clicked, this, guard(&TForm2::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guard(&TForm2::Button2Click));
    connect(Button3, &QPushButton::clicked, this, guard(&TForm2::Button3Click));
    connect(Button4, &QPushButton::clicked, this, guard(&TForm2::Button4Click));
    connect(Button5, &QPushButton::clicked, this, guard(&TForm2::Button5Click));
    attachFieldKeys(Edit7, {{}, guard(&TForm2::Edit7KeyPress), {}});
    filterLikeTyping(Edit7, [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

QLineEdit* TForm2::field(std::size_t index) const
{
    const std::array<QLineEdit*, kOperatorFieldCount> all = {Edit1, Edit2, Edit3, Edit4,  Edit5, Edit6,
                                                             Edit7, Edit8, Edit9, Edit10, Edit11};
    return all.at(index);
}

OperatorFields TForm2::fields() const
{
    OperatorFields values;
    for (std::size_t i = 0; i < kOperatorFieldCount; ++i)
        values[i] = toCp1250(field(i)->text());
    return values;
}

void TForm2::setFields(const OperatorFields& values)
{
    for (std::size_t i = 0; i < kOperatorFieldCount; ++i)
        field(i)->setText(fromCp1250(values[i]));
}

void TForm2::resetToNewRecord() { setFields(newRecordFields()); }

void TForm2::resetForNewLog()
{
    OperatorFields values = newRecordFields();
    values[kRemarks] = toCp1250(Edit11->text());
    setFields(values);
}

void TForm2::setEditing(bool editing)
{
    for (std::size_t i = 0; i < kOperatorFieldCount; ++i)
        field(i)->setEnabled(editing);
    Button3->setVisible(editing);
}

bool TForm2::isEditing() const { return Edit1->isEnabled() && !Button3->isHidden(); }

QString TForm2::contestName() const { return Edit10->text(); }

void TForm2::showExportedOperator(const std::string& callsign)
{
    if (isEditing())
        return;
    logbook_.reloadOperators();
    const int row = findCallsign(callsign);
    selectRow(row);
    if (row < 0)
        resetToNewRecord();
    else
        ListBox1Click();
}

int TForm2::findCallsign(const std::string& callsign) const
{
    const auto row = logbook_.operators().find(callsign);
    return row ? static_cast<int>(*row) : -1;
}

void TForm2::selectRow(int row)
{
    const QScopedValueRollback quiet(selectingFromCode_, true);
    ListBox1->clearSelection();
    ListBox1->selectionModel()->setCurrentIndex(ListBox1->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

int TForm2::selectedRow() const
{
    const QModelIndexList selected = ListBox1->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void TForm2::FormCreate()
{
    resetToNewRecord();
    setEditing(false);
}

void TForm2::open()
{
    logbook_.reloadOperators();
    Button3->hide();
    resetToNewRecord();
    const bool none = logbook_.operators().empty();
    selectRow(none ? -1 : 0);
    ListBox1Click();
    bringToFront(*this);
    if (none)
        Button2Click();
}

void TForm2::ListBox1Click()
{
    const int row = selectedRow();
    const OperatorList& operators = logbook_.operators();
    if (row >= 0 && static_cast<std::size_t>(row) < operators.size()) {
        setFields(splitRecord(operators.records()[static_cast<std::size_t>(row)]));
        return;
    }
    for (QLineEdit* cleared : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit9, Edit11})
        cleared->clear();
}

void TForm2::Button2Click()
{
    setEditing(true);
    selectRow(-1);
    resetToNewRecord();
    Edit1->setFocus();
}

void TForm2::Button5Click() { setEditing(true); }

void TForm2::Button3Click()
{
    OperatorFields record = fields();
    record[kCallsign] = trimmed(record[kCallsign]);
    // A callsign of blanks only would be listed and written as an empty one.
    if (record[kCallsign].empty())
        return showError(context_.platform,
                         QStringLiteral("Proszę wprowadzić znak używany podczas zawodów!") + kRequiredFields);
    if (Edit2->text().isEmpty())
        return showError(context_.platform, QStringLiteral("Proszę wprowadzić imię i nazwisko!") + kRequiredFields);
    if (Edit4->text().isEmpty())
        return showError(context_.platform, QStringLiteral("Proszę wprowadzić adres!") + kRequiredFields);
    // The log's operator column is read back in 13 columns: a longer callsign
    // would never find its own QSOs.
    if (!fitsReadColumns(Field::Operator, record[kCallsign])) {
        Edit1->setFocus();
        return showError(context_.platform, tooLongText(kFieldCaptions.at(kCallsign), record[kCallsign].size(),
                                                        layoutOf(Field::Operator).readWidth));
    }
    // The file has no quoting: a comma would split the record differently on
    // the next reading.
    if (const auto withComma = fieldWithComma(record))
        return showError(context_.platform,
                         QStringLiteral("Pole „%1” nie może zawierać przecinka!").arg(kFieldCaptions.at(*withComma)));

    const std::string& callsign = record[kCallsign];
    commit([&] { logbook_.saveOperator(joinRecord(record)); });
    setEditing(false);
    selectRow(findCallsign(callsign));
}

void TForm2::Button4Click()
{
    const int row = selectedRow();
    if (row < 0)
        return showError(context_.platform, QStringLiteral("Proszę wybrać znak operatora do usunięcia!"));
    if (context_.platform.messageBox(QStringLiteral("Potwierdzenie"),
                                     QStringLiteral("Czy na pewno usunąć wybranego operatora?"), BoxIcon::Question,
                                     BoxButtons::YesNo) != BoxAnswer::Yes)
        return;

    commit([&] { logbook_.deleteOperator(row); });
    selectRow(-1);
    resetToNewRecord();
}

void TForm2::commit(const std::function<void()>& change)
{
    const int row = selectedRow();
    const std::string selected =
        row >= 0 ? logbook_.operators().callsign(static_cast<std::size_t>(row)) : std::string();
    try {
        // The selected entry may leave the list: the fields stay as they are.
        const QScopedValueRollback quiet(selectingFromCode_, true);
        change();
    } catch (...) {
        selectRow(row >= 0 ? findCallsign(selected) : -1);
        throw;
    }
}

void TForm2::Button1Click() { hide(); }

void TForm2::FormCloseQuery() { emit closed(); }

void TForm2::closeEvent(QCloseEvent* event)
{
    event->accept();
    guarded(context_.platform, [this] { FormCloseQuery(); });
}

void TForm2::Edit7KeyPress(char& key)
{
    const bool digit = key >= '0' && key <= '9';
    if (!digit && key != '\b')
        key = 0;
}

}  // namespace qz::ui
