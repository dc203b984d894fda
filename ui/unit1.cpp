#include "unit1.h"

#include "codec.h"
#include "combo_lists.h"
#include "control_setup.h"
#include "entry_defaults.h"
#include "failure_box.h"
#include "field_keys.h"
#include "hint_timing.h"
#include "log_file.h"
#include "log_line.h"
#include "log_snapshot.h"
#include "operator_book.h"
#include "upper_case.h"
#include "worked_before_marker.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
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

}  // namespace

TForm1::TForm1(StationContext context, QWidget* parent) : QWidget(parent), context_(std::move(context))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kApplicationTitle);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    resize(694, 462);
    createControls();
    connectHandlers();
    workedBefore_ = new WorkedBeforeMarker(*this);
}

TForm1::~TForm1() = default;

void TForm1::start()
{
    guarded(context_.platform, [this] { FormCreate(); });
    // The window opens in the middle of its screen, at its own size.
    if (const QScreen* screen = this->screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
    // The operator starts by typing a callsign over the headquarters default.
    focusField(Edit4);
}

void TForm1::createControls()
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
    Edit4 = named(new QLineEdit(this), "Edit4");
    Edit4->setFixedWidth(110);
    makeUpperCase(Edit4);
    Edit6 = named(new QLineEdit(this), "Edit6");
    Edit6->setFixedWidth(90);
    makeUpperCase(Edit6);

    Panel2 = named(new QFrame(this), "Panel2");
    Panel2->setFrameShape(QFrame::StyledPanel);
    Edit7 = named(new QLineEdit(Panel2), "Edit7");
    Edit5 = named(new QLineEdit(Panel2), "Edit5");
    makeUpperCase(Edit5);
    auto* reports = new QHBoxLayout(Panel2);
    reports->setContentsMargins(4, 2, 4, 2);
    for (QLineEdit* report : {Edit7, Edit5})
        report->setFixedWidth(40);
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

    Button4 = named(new QPushButton(QStringLiteral("Dodaj QSO do logu"), this), "Button4");
    Button4->setFixedSize(145, 137);
    Button2 = named(new QPushButton(QStringLiteral("Zapisz pliki Cabrillo"), this), "Button2");
    Button7 = named(new QPushButton(QStringLiteral("Zapisz pliki  ADIF"), this), "Button7");
    Button8 = named(new QPushButton(QStringLiteral("Nowy log"), this), "Button8");
    Button3 = named(new QPushButton(QStringLiteral("Info"), this), "Button3");
    Button3->setToolTip(QStringLiteral("Wersja " QZ_VERSION "\nAutorzy: zespół stacji QZ5KV"));
    Button5 = named(new QPushButton(QStringLiteral("Koniec"), this), "Button5");
    Button6 = named(new QPushButton(QStringLiteral("Włączenie zegara"), this), "Button6");
    QFont alarm = Button6->font();
    alarm.setBold(true);
    Button6->setFont(alarm);
    Button6->setStyleSheet(QStringLiteral("QPushButton { color: red; }"));

    ListBox1 = named(new LogListBox(this), "ListBox1");
    ListBox1->setToolTip(QStringLiteral("Menu rozwijalne - prawy klawisz myszy"));
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    Label11 = named(new QLabel(QStringLiteral("Plik wyjściowy:"), this), "Label11");
    ListBox1->setAccessibleName(Label11->text());
    Label12 = named(new QLabel(QStringLiteral("     Przeprowadzone wszystkie QSO z QZ5KV!    "), this), "Label12");
    Label12->setFixedSize(328, 16);
    Label12->setStyleSheet(QStringLiteral("QLabel { color: aqua; background-color: fuchsia; font-family: sans-serif; "
                                          "font-weight: bold; font-size: 13px; }"));
    Label12->hide();
    auto* credit = new QLabel(QStringLiteral("zespół stacji QZ5KV"), this);
    QFont italic = credit->font();
    italic.setItalic(true);
    italic.setPointSize(7);
    credit->setFont(italic);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(kClockTickMs);

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    const auto item = [this](const char* name, const QString& caption) {
        return named(PopupMenu1->addAction(caption), name);
    };
    zmiendate1 = item("zmiendate1", QStringLiteral("Zmień datę QSO"));
    ZmieczasQSO1 = item("ZmieczasQSO1", QStringLiteral("Zmień czas QSO"));
    Zmiepasmo1 = item("Zmiepasmo1", QStringLiteral("Zmień pasmo"));
    Zmieemisj1 = item("Zmieemisj1", QStringLiteral("Zmień emisję"));
    ZmieOperatora1 = item("ZmieOperatora1", QStringLiteral("Zmień operatora"));
    Zmieznakkorespondenta1 = item("Zmieznakkorespondenta1", QStringLiteral("Zmień znak korespondenta"));
    Zmienadanynumerser1 = item("Zmienadanynumerser1", QStringLiteral("Zmień nadaną grupę kontrolną"));
    Zmieodebranynumerseryjny1 = item("Zmieodebranynumerseryjny1", QStringLiteral("Zmień odebraną grupę kontrolną"));
    N1 = named(PopupMenu1->addSeparator(), "N1");
    Usu1 = item("Usu1", QStringLiteral("Usuń QSO"));

    // Layout: operator list top left, the row of entry fields, the large add
    // button top right, the log list below, the row of buttons at the bottom.
    auto* top = new QHBoxLayout;
    auto* operatorColumn = new QVBoxLayout;
    operatorColumn->addWidget(labelled(QStringLiteral("Aktualny operator:"), ComboBox3, this));
    operatorColumn->addWidget(Button1);
    operatorColumn->addStretch();
    top->addLayout(operatorColumn);
    auto* entry = new QGridLayout;
    entry->addWidget(labelled(QStringLiteral("Data (rrrr-mm-dd)"), Edit2, this), 0, 0);
    entry->addWidget(labelled(QStringLiteral("Pasmo"), ComboBox1, this), 0, 1);
    entry->addWidget(labelled(QStringLiteral("Emisja"), ComboBox2, this), 0, 2);
    entry->addWidget(labelled(QStringLiteral("Czas UTC (gg:mm)"), Edit3, this, UpDown1), 0, 3);
    entry->addWidget(labelled(QStringLiteral("Znak"), Edit4, this), 1, 0, 1, 2);
    entry->addWidget(labelled(QStringLiteral("Numer odebrany"), Edit6, this), 1, 2, 1, 2);
    entry->addWidget(Panel2, 2, 0, 1, 2);
    entry->addWidget(Panel1, 2, 2, 1, 2);
    top->addLayout(entry);
    top->addStretch();
    top->addWidget(Button4, 0, Qt::AlignTop);

    auto* banner = new QHBoxLayout;
    banner->addWidget(Label11);
    banner->addWidget(Label12);
    banner->addStretch();

    auto* bottom = new QHBoxLayout;
    for (QPushButton* button : {Button2, Button7, Button8, Button3, Button5, Button6})
        bottom->addWidget(button);
    bottom->addStretch();
    bottom->addWidget(credit, 0, Qt::AlignBottom);

    auto* window = new QVBoxLayout(this);
    window->addLayout(top);
    window->addLayout(banner);
    window->addWidget(ListBox1, 1);
    window->addLayout(bottom);

    setTabChain({ComboBox3, Button1,   Edit2,   ComboBox1, ComboBox2, Edit3,   Edit4,   Edit6,   Edit7,   Edit5,
                 Edit8,     CheckBox1, Button4, Button2,   Button7,   Button8, Button3, Button5, Button6, ListBox1});
}

void TForm1::connectHandlers()
{
    const Guard guard(context_.platform, this);
    connect(Timer1, &QTimer::timeout, this, guard(&TForm1::Timer1Timer));
    connect(ComboBox2, &QComboBox::activated, this, guard(&TForm1::ComboBox2Change));
    connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this, guard(&TForm1::ComboBox2Change));
    connect(ComboBox3, &QComboBox::activated, this, guard(&TForm1::ComboBox3Change));
    connect(ComboBox3, &DropDownComboBox::dropDown, this, guard(&TForm1::ComboBox3DropDown));
    connect(Button1, &QPushButton::clicked, this, guard(&TForm1::Button1Click));
    connect(Button2, &QPushButton::clicked, this, guard(&TForm1::Button2Click));
    connect(Button3, &QPushButton::clicked, this, guard(&TForm1::Button3Click));
    connect(Button4, &QPushButton::clicked, this, guard(&TForm1::Button4Click));
    connect(Button5, &QPushButton::clicked, this, guard(&TForm1::Button5Click));
    connect(Button6, &QPushButton::clicked, this, guard(&TForm1::Button6Click));
    connect(Button7, &QPushButton::clicked, this, guard(&TForm1::Button7Click));
    connect(Button8, &QPushButton::clicked, this, guard(&TForm1::Button8Click));
    connect(CheckBox1, &QCheckBox::clicked, this, guard(&TForm1::CheckBox1Click));
    connect(Edit8, &QLineEdit::textChanged, this, guard(&TForm1::Edit8Change));
    connect(UpDown1, &UpDown::clicked, this, guard(&TForm1::UpDown1Click));
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });
    connect(zmiendate1, &QAction::triggered, this, guard(&TForm1::zmiendate1Click));
    connect(ZmieczasQSO1, &QAction::triggered, this, guard(&TForm1::ZmieczasQSO1Click));
    connect(Zmiepasmo1, &QAction::triggered, this, guard(&TForm1::Zmiepasmo1Click));
    connect(Zmieemisj1, &QAction::triggered, this, guard(&TForm1::Zmieemisj1Click));
    connect(ZmieOperatora1, &QAction::triggered, this, guard(&TForm1::ZmieOperatora1Click));
    connect(Zmieznakkorespondenta1, &QAction::triggered, this, guard(&TForm1::Zmieznakkorespondenta1Click));
    connect(Zmienadanynumerser1, &QAction::triggered, this, guard(&TForm1::Zmienadanynumerser1Click));
    connect(Zmieodebranynumerseryjny1, &QAction::triggered, this, guard(&TForm1::Zmieodebranynumerseryjny1Click));
    connect(Usu1, &QAction::triggered, this, guard(&TForm1::Usu1Click));
    // A window shortcut: the key never reaches the fields' own key handlers.
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this, &TForm1::overviewRequested);

    attachFieldKeys(Edit4, {guard(&TForm1::Edit4KeyDown), guard(&TForm1::Edit4KeyPress), {}});
    attachFieldKeys(Edit6, {guard(&TForm1::Edit6KeyDown), guard(&TForm1::Edit6KeyPress), guard(&TForm1::Edit6Exit)});
    attachFieldKeys(Edit5, {{}, guard(&TForm1::Edit5KeyPress), {}});
    attachFieldKeys(Edit7, {{}, guard(&TForm1::Edit7KeyPress), {}});
    attachFieldKeys(Edit2, {{}, {}, guard(&TForm1::Edit2Exit)});
    attachFieldKeys(Edit3, {{}, {}, guard(&TForm1::Edit3Exit)});
}

std::string TForm1::currentOperator() const
{
    const int index = ComboBox3->currentIndex();
    return index < 0 ? std::string() : toCp1250(ComboBox3->itemText(index));
}

void TForm1::FormCreate()
{
    startClock();
    setEntryDefaults(kCwPosition);
    Edit4->setText(kHeadquartersCallText);
    const ClockTexts now = utcTexts(context_.clock());
    Edit3->setText(QString::fromStdString(now.time));
    Edit2->setText(QString::fromStdString(now.date));

    for (const std::string& callsign : readOperatorCallsigns(context_.folder))
        insertSortedNoCase(ComboBox3, fromCp1250(callsign));
    ComboBox3->setCurrentIndex(ComboBox3->count() > 0 ? 0 : -1);

    const LogFile log(context_.folder);
    if (log.createIfMissing()) {
        emit operatorLinesRead({});
        return;
    }
    const std::string op = currentOperator();
    auto snapshot = log.snapshotOf(op);
    std::vector<std::string_view> own = operatorLines(snapshot->lines(), op);
    ListBox1->setLines(snapshot, std::move(own));
    emit operatorLinesRead(snapshot->lines());
}

void TForm1::Timer1Timer()
{
    const ClockTexts now = utcTexts(context_.clock());
    Edit3->setText(QString::fromStdString(now.time));
    Edit2->setText(QString::fromStdString(now.date));
}

void TForm1::setReportDefaults(const QString& report, int limit)
{
    // The limit first: Qt cuts text that is longer than the limit.
    for (QLineEdit* field : {Edit5, Edit7}) {
        field->setMaxLength(limit);
        field->setText(report);
    }
}

void TForm1::setEntryDefaults(int mode)
{
    applyHintTiming(this);
    Edit8->setText(kDefaultSentExchange);
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setCurrentIndex(mode);
    ComboBox2Change();
    CheckBox1->setChecked(false);
    Edit6->setText(kHeadquartersExchange);
    UpDown1->setPosition(0);
}

void TForm1::ComboBox2Change()
{
    switch (selectedIndex(ComboBox2)) {
    case kSsbPosition: setReportDefaults(QStringLiteral("59"), 2); break;
    case kCwPosition: setReportDefaults(QStringLiteral("599"), 3); break;
    default: break;
    }
}

void TForm1::ComboBox3Change()
{
    Label12->hide();
    const std::string op = currentOperator();
    auto snapshot = LogFile(context_.folder).snapshotOf(op);
    OperatorView view = operatorView(snapshot->lines(), op);
    ListBox1->setLines(snapshot, std::move(view.lines));
    ListBox3 = std::move(view.workedSlots);
    updateBanner();
    emit operatorLinesRead(snapshot->lines());
}

void TForm1::updateBanner()
{
    if (!allHeadquartersSlotsWorked(ListBox3))
        return;
    Label12->show();
    Label12->repaint();
}

void TForm1::focusField(QLineEdit* field)
{
    if (field->hasFocus())
        return;
    field->setFocus();
    field->selectAll();
}

void TForm1::startClock()
{
    Timer1->start();
    Button6->hide();
}

void TForm1::stopClock()
{
    Timer1->stop();
    Button6->show();
}

void TForm1::Button6Click() { startClock(); }

void TForm1::Button3Click()
{
    const QStringList lines{
        kApplicationTitle,
        QString(),
        QStringLiteral("Program do logowania QSO podczas zawodów IARU."),
        QString(),
        QStringLiteral("Skróty klawiszowe (jeśli kursor jest w polu znaku):"),
        QStringLiteral("Page Up/Page Down  - ręczna zmiana czasu,"),
        QStringLiteral("ALT + C   - zmiana operatora,"),
        QStringLiteral("ALT + B   - zmiana pasma,"),
        QStringLiteral("ALT + M   - zmiana emisji."),
        QString(),
        QStringLiteral("Kliknięcie prawym klawiszem myszy na oknie logu otwiera"),
        QStringLiteral("dodatkowe menu umożliwiające edycję zaznaczonego QSO."),
        QString(),
        QStringLiteral("Wersja " QZ_VERSION),
        QStringLiteral("Autorzy: zespół stacji QZ5KV"),
    };
    context_.platform.messageBox(QStringLiteral("O programie..."), lines.join(QLatin1Char('\n')), BoxIcon::Information,
                                 BoxButtons::Ok);
}

void TForm1::Button5Click() { close(); }

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QApplication::quit();
}

}  // namespace qz::ui
