#include "unit1_entry_panel.h"

#include "codec.h"
#include "combo_lists.h"
#include "contest_score.h"
#include "control_setup.h"
#include "entry_defaults.h"
#include "exchange_predictor.h"
#include "failure_box.h"
#include "field_keys.h"
#include "field_text.h"
#include "hint_timing.h"
#include "logbook.h"
#include "upper_case.h"
#include "worked_before_marker.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace qz::ui {
namespace {

constexpr int kClockTickMs = 1000;

// A label above its control, both in one column. The caption is also the
// name a screen reader announces for the control.
QWidget* labelled(const QString& caption, QWidget* control, QWidget* parent, QWidget* extra = nullptr)
{
    control->setAccessibleName(caption);
    auto* column = new QWidget(parent);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* label = new QLabel(caption, column);
    label->setBuddy(control);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(control);
    if (extra)
        row->addWidget(extra);
    layout->addLayout(row);
    layout->addStretch();
    return column;
}

QLineEdit* upperCaseField(QWidget* parent, const char* name, int width)
{
    auto* field = named(new QLineEdit(parent), name);
    field->setFixedWidth(width);
    makeUpperCase(field);
    return field;
}

}  // namespace

void focusField(QLineEdit* field)
{
    if (field->hasFocus())
        return;
    field->setFocus();
    field->selectAll();
}

EntryPanel::EntryPanel(StationContext context, Logbook& logbook, MessageKeys& messages, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), logbook_(logbook), messages_(messages)
{
    createControls();
    layOut();
    connectHandlers();
    // Before anything that announces the typed QSO, which carries its prediction.
    predictor_ = new ExchangePredictor(context_.folder, logbook_, this);
    workedBefore_ = new WorkedBeforeMarker(Edit4, ComboBox1, ComboBox2, logbook_, this);
    connect(workedBefore_, &WorkedBeforeMarker::changed, this, &EntryPanel::announceTypedQso);
    connect(Edit6, &QLineEdit::textChanged, this, &EntryPanel::announceTypedQso);
    connect(predictor_, &ExchangePredictor::changed, this, &EntryPanel::showExchangeHint);
    connect(predictor_, &ExchangePredictor::changed, this, &EntryPanel::announceTypedQso);
    connect(Edit6, &QLineEdit::textEdited, this, [this] {
        exchangeTyped_ = true;
        showExchangeHint();
    });
    followLogbook();
}

EntryPanel::~EntryPanel() = default;

void EntryPanel::createControls()
{
    ComboBox3 = named(new DropDownComboBox(this), "ComboBox3");
    QFont operatorFont = ComboBox3->font();
    operatorFont.setBold(true);
    operatorFont.setPointSize(12);
    ComboBox3->setFont(operatorFont);
    ComboBox3->setStyleSheet(QStringLiteral("QComboBox { color: red; }"));
    ComboBox3->setMinimumWidth(140);
    Button1 = named(new QPushButton(QStringLiteral("Zarządzanie operatorami"), this), "Button1");

    Edit2 = named(new QLineEdit(this), "Edit2");
    Edit2->setFixedWidth(80);
    ComboBox1 = named(new QComboBox(this), "ComboBox1");
    ComboBox2 = named(new QComboBox(this), "ComboBox2");
    for (QComboBox* list : {ComboBox1, ComboBox2}) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setFixedWidth(64);
    }
    for (const Band& band : bandTable())
        if (!band.entry.empty())
            ComboBox1->addItem(fromCp1250(band.entry));
    for (const Mode& mode : modeTable())
        if (!mode.entry.empty())
            ComboBox2->addItem(fromCp1250(mode.entry));
    Edit3 = named(new QLineEdit(this), "Edit3");
    Edit3->setFixedWidth(48);
    Edit3->setToolTip(QStringLiteral("Jeśli kursor jest w polu ZNAK, klawisze PAGE UP/PAGE DOWN zmieniają czas"));
    UpDown1 = named(new UpDown(-1, 60, this), "UpDown1");
    UpDown1->upArrow()->setAccessibleName(QStringLiteral("Czas o minutę później"));
    UpDown1->downArrow()->setAccessibleName(QStringLiteral("Czas o minutę wcześniej"));
    Edit4 = upperCaseField(this, "Edit4", 110);
    Edit6 = upperCaseField(this, "Edit6", 90);

    Panel2 = named(new QFrame(this), "Panel2");
    Panel2->setFrameShape(QFrame::StyledPanel);
    Edit7 = named(new QLineEdit(Panel2), "Edit7");
    Edit5 = upperCaseField(Panel2, "Edit5", 40);
    Edit7->setFixedWidth(40);
    auto* reports = new QHBoxLayout(Panel2);
    reports->setContentsMargins(4, 2, 4, 2);
    reports->addWidget(labelled(QStringLiteral("Rprt odebrany"), Edit7, Panel2));
    reports->addWidget(labelled(QStringLiteral("Rprt nadany"), Edit5, Panel2));

    Panel1 = named(new QGroupBox(QStringLiteral("Nadawana grupa kontrolna"), this), "Panel1");
    Edit8 = named(new QLineEdit(Panel1), "Edit8");
    Edit8->setAccessibleName(Panel1->title());
    Edit8->setToolTip(QStringLiteral("Numer kolejny, skrót województwa/powiatu lub lokator"));
    CheckBox1 = named(new QCheckBox(QStringLiteral("Zwiększ automatycznie"), Panel1), "CheckBox1");
    auto* sent = new QVBoxLayout(Panel1);
    sent->setContentsMargins(4, 2, 4, 2);
    sent->addWidget(Edit8);
    sent->addWidget(CheckBox1);

    // What the fields hold goes into the log line: one line, however it came.
    for (QLineEdit* field : {Edit2, Edit3, Edit4, Edit6, Edit7, Edit5, Edit8})
        keepOnOneLine(field);

    Button4 = named(new QPushButton(QStringLiteral("Dodaj QSO do logu"), this), "Button4");
    Button4->setFixedSize(145, 137);
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(kClockTickMs);
}

void EntryPanel::layOut()
{
    // The operator list on the left, the entry fields, the large add button on the right.
    auto* operatorColumn = new QVBoxLayout;
    operatorColumn->addWidget(labelled(QStringLiteral("Aktualny operator:"), ComboBox3, this));
    operatorColumn->addWidget(Button1);
    operatorColumn->addStretch();
    auto* entry = new QGridLayout;
    entry->addWidget(labelled(QStringLiteral("Data (rrrr-mm-dd)"), Edit2, this), 0, 0);
    entry->addWidget(labelled(QStringLiteral("Pasmo"), ComboBox1, this), 0, 1);
    entry->addWidget(labelled(QStringLiteral("Emisja"), ComboBox2, this), 0, 2);
    entry->addWidget(labelled(QStringLiteral("Czas UTC (gg:mm)"), Edit3, this, UpDown1), 0, 3);
    entry->addWidget(labelled(QStringLiteral("Znak"), Edit4, this), 1, 0, 1, 2);
    entry->addWidget(labelled(QStringLiteral("Numer odebrany"), Edit6, this), 1, 2, 1, 2);
    entry->addWidget(Panel2, 2, 0, 1, 2);
    entry->addWidget(Panel1, 2, 2, 1, 2);
    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->addLayout(operatorColumn);
    top->addLayout(entry);
    top->addStretch();
    top->addWidget(Button4, 0, Qt::AlignTop);
}

std::vector<QWidget*> EntryPanel::tabChain() const
{
    return {ComboBox3, Button1, Edit2, ComboBox1, ComboBox2, Edit3,  Edit4,
            Edit6,     Edit7,   Edit5, Edit8,     CheckBox1, Button4};
}

void EntryPanel::connectHandlers()
{
    const Guard guard(context_.platform, this);
    connect(Timer1, &QTimer::timeout, this, guard(&EntryPanel::Timer1Timer));
    connect(ComboBox2, &QComboBox::activated, this, guard(&EntryPanel::ComboBox2Change));
    connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this, guard(&EntryPanel::ComboBox2Change));
    connect(ComboBox3, &QComboBox::activated, this, guard(&EntryPanel::ComboBox3Change));
    connect(ComboBox3, &DropDownComboBox::dropDown, this, guard(&EntryPanel::ComboBox3DropDown));
    connect(Button1, &QPushButton::clicked, this, guard(&EntryPanel::Button1Click));
    connect(Button4, &QPushButton::clicked, this, guard(&EntryPanel::Button4Click));
    connect(CheckBox1, &QCheckBox::clicked, this, guard(&EntryPanel::CheckBox1Click));
    connect(Edit8, &QLineEdit::textChanged, this, guard(&EntryPanel::Edit8Change));
    connect(UpDown1, &UpDown::clicked, this, guard(&EntryPanel::UpDown1Click));

    attachFieldKeys(Edit4, {guard(&EntryPanel::Edit4KeyDown), guard(&EntryPanel::Edit4KeyPress), {}});
    attachFieldKeys(
        Edit6, {guard(&EntryPanel::Edit6KeyDown), guard(&EntryPanel::Edit6KeyPress), guard(&EntryPanel::Edit6Exit)});
    attachFieldKeys(Edit5, {{}, guard(&EntryPanel::Edit5KeyPress), {}});
    attachFieldKeys(Edit7, {{}, guard(&EntryPanel::Edit7KeyPress), {}});
    // A paste into a report passes the letter filter of typing too.
    for (QLineEdit* report : {Edit5, Edit7})
        filterLikeTyping(
            report, [](QChar c) { return c.unicode() > 127 || !c.isLetter(); }, [this] { context_.platform.beep(); });
    selectAllOnMouseEntry(Edit4, [this] { return Edit4->text() == kHeadquartersCallText; });
    attachFieldKeys(Edit2, {{}, {}, guard(&EntryPanel::Edit2Exit)});
    attachFieldKeys(Edit3, {{}, {}, guard(&EntryPanel::Edit3Exit)});
}

void EntryPanel::followLogbook()
{
    ComboBox3->setModel(logbook_.operatorModel());
    // Qt selects the first entry that comes into an empty list; only the logbook selects.
    for (const auto change : {&Logbook::operatorsChanged, &Logbook::operatorChanged})
        connect(&logbook_, change, this, [this] { ComboBox3->setCurrentIndex(logbook_.currentIndex()); });
}

void EntryPanel::announceTypedQso()
{
    emit typedQsoChanged({.call = workedBefore_->typedCall(),
                          .band = selectedBand(ComboBox1),
                          .mode = selectedMode(ComboBox2),
                          .receivedExchange = storedReceivedExchangeOf(toCp1250(Edit6->text())),
                          .verdict = workedBefore_->verdict(),
                          .expected = predictor_->predict(workedBefore_->typedCall())});
}

void EntryPanel::FormCreate()
{
    startClock();
    setEntryDefaults(kCwPosition);
    Edit4->setText(kHeadquartersCallText);
    Timer1Timer();
}

void EntryPanel::resetForNewLog()
{
    setEntryDefaults(kSsbPosition);
    focusField(Edit4);
}

void EntryPanel::focusCallsign() { focusField(Edit4); }

PickList EntryPanel::pickList(PickKind kind) const
{
    const QComboBox* source = kind == PickKind::Band ? ComboBox1 : kind == PickKind::Mode ? ComboBox2 : ComboBox3;
    PickList list{{}, selectedIndex(source)};
    for (int i = 0; i < source->count(); ++i)
        list.entries << source->itemText(i);
    return list;
}

void EntryPanel::Timer1Timer()
{
    const ClockTexts now = utcTexts(context_.clock());
    Edit3->setText(fromAscii(now.time));
    Edit2->setText(fromAscii(now.date));
}

void EntryPanel::setReportDefaults(const QString& report, int limit)
{
    // The limit first: Qt cuts text that is longer than the limit.
    for (QLineEdit* field : {Edit5, Edit7}) {
        field->setMaxLength(limit);
        field->setText(report);
    }
}

void EntryPanel::setEntryDefaults(int mode)
{
    applyHintTiming(window());
    Edit8->setText(kDefaultSentExchange);
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(mode);
    ComboBox2Change();
    CheckBox1->setChecked(false);
    Edit6->setText(kHeadquartersExchangeText);
    exchangeTyped_ = false;
    UpDown1->setPosition(0);
}

void EntryPanel::ComboBox2Change()
{
    switch (selectedIndex(ComboBox2)) {
    case kSsbPosition: setReportDefaults(QStringLiteral("59"), 2); break;
    case kCwPosition: setReportDefaults(QStringLiteral("599"), 3); break;
    default: break;
    }
}

void EntryPanel::ComboBox3Change() { logbook_.selectOperator(ComboBox3->currentIndex()); }

// An empty operator list has nothing to offer: the editor opens instead, so
// that the first operator can be entered.
void EntryPanel::ComboBox3DropDown()
{
    if (ComboBox3->count() == 0)
        Button1Click();
}

void EntryPanel::Button1Click() { emit operatorEditorRequested(); }

void EntryPanel::startClock()
{
    Timer1->start();
    emit clockRunning(true);
}

void EntryPanel::stopClock()
{
    Timer1->stop();
    emit clockRunning(false);
}

}  // namespace qz::ui
