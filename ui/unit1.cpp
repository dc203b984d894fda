#include "unit1.h"

#include "codec.h"
#include "control_setup.h"
#include "failure_box.h"
#include "logbook.h"
#include "message_keys.h"
#include "messages_window.h"
#include "unit1_entry_panel.h"
#include "unit1_log_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace qz::ui {

TForm1::TForm1(StationContext context, Logbook& logbook, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), logbook_(logbook)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kApplicationTitle);
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    resize(694, 462);

    messages_ = std::make_unique<MessageKeys>(context_.folder, nullptr);
    entry_ = new EntryPanel(context_, logbook_, *messages_, this);
    log_ = new LogPanel(context_, logbook_, this);
    auto* window = new QVBoxLayout(this);
    window->addWidget(entry_);
    window->addWidget(createMessageRow());
    window->addWidget(log_, 1);
    window->addWidget(createButtonRow());

    std::vector<QWidget*> chain = entry_->tabChain();
    chain.insert(chain.end(), {Button10, Button2, Button7, Button8, Button9, Button3, Button5, Button6, log_->list()});
    setTabChain(chain);
    connectHandlers();
}

TForm1::~TForm1() = default;

QWidget* TForm1::createButtonRow()
{
    auto* row = new QWidget(this);
    Button2 = named(new QPushButton(QStringLiteral("Zapisz pliki Cabrillo"), row), "Button2");
    Button7 = named(new QPushButton(QStringLiteral("Zapisz pliki  ADIF"), row), "Button7");
    Button8 = named(new QPushButton(QStringLiteral("Nowy log"), row), "Button8");
    Button9 = named(new QPushButton(QStringLiteral("Dołącz log..."), row), "Button9");
    Button9->setToolTip(QStringLiteral("Dołącza QSO z pliku IARU_log.zrv innego komputera, których brak w tym logu"));
    Button3 = named(new QPushButton(QStringLiteral("Info"), row), "Button3");
    Button3->setToolTip(QStringLiteral("Wersja " QZ_VERSION "\nAutorzy: zespół stacji QZ5KV"));
    Button5 = named(new QPushButton(QStringLiteral("Koniec"), row), "Button5");
    Button6 = named(new QPushButton(QStringLiteral("Włączenie zegara"), row), "Button6");
    QFont alarm = Button6->font();
    alarm.setBold(true);
    Button6->setFont(alarm);
    Button6->setStyleSheet(QStringLiteral("QPushButton { color: red; }"));
    credit_ = new QLabel(QStringLiteral("zespół stacji QZ5KV"), row);
    QFont italic = credit_->font();
    italic.setItalic(true);
    italic.setPointSize(7);
    credit_->setFont(italic);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {Button2, Button7, Button8, Button9, Button3, Button5, Button6}) {
        // A button may give up the style's spare width down to its caption's,
        // so that "Włączenie zegara" fits in the row without widening the window.
        const int caption =
            button->fontMetrics().horizontalAdvance(button->text()) + 2 * button->fontMetrics().height();
        button->setMinimumWidth(std::min(caption, button->sizeHint().width()));
        layout->addWidget(button);
    }
    layout->addStretch();
    layout->addWidget(credit_, 0, Qt::AlignBottom);
    return row;
}

QWidget* TForm1::createMessageRow()
{
    auto* row = new QWidget(this);
    Button10 = named(new QPushButton(QStringLiteral("Komunikaty…"), row), "Button10");
    Button10->setToolTip(QStringLiteral("Teksty klawiszy F1-F8 i sposób ich nadawania (Alt+K)"));
    CwState = named(new QLabel(row), "CwState");
    // The line never widens the window; what does not fit is in its hint.
    CwState->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Button10);
    layout->addWidget(CwState, 1);
    showMessageState();
    return row;
}

void TForm1::showMessageState()
{
    const QString state = messages_->state();
    CwState->setText(state);
    CwState->setToolTip(state);
    CwState->setStyleSheet(messages_->warning() ? QStringLiteral("QLabel { color: red; }") : QString());
}

void TForm1::connectHandlers()
{
    const Guard guard(context_.platform, this);
    connect(Button2, &QPushButton::clicked, this, guard(&TForm1::Button2Click));
    connect(Button3, &QPushButton::clicked, this, guard(&TForm1::Button3Click));
    connect(Button5, &QPushButton::clicked, this, guard(&TForm1::Button5Click));
    connect(Button6, &QPushButton::clicked, this, guard(&TForm1::Button6Click));
    connect(Button7, &QPushButton::clicked, this, guard(&TForm1::Button7Click));
    connect(Button8, &QPushButton::clicked, this, guard(&TForm1::Button8Click));
    connect(Button9, &QPushButton::clicked, this, guard(&TForm1::Button9Click));
    connect(Button10, &QPushButton::clicked, this, guard(&TForm1::Button10Click));
    connect(messages_.get(), &MessageKeys::stateChanged, this, &TForm1::showMessageState);
    connect(log_, &LogPanel::bandMapRequested, this, &TForm1::bandMapRequested);
    connect(entry_, &EntryPanel::spotRequested, this, &TForm1::spotRequested);
    connect(entry_, &EntryPanel::clockRunning, Button6, [this](bool running) {
        // The credit gives its place to the button while the clock is stopped;
        // it goes first, as showing the button lays the row out at once.
        credit_->setVisible(running);
        Button6->setHidden(running);
    });
    connect(entry_, &EntryPanel::operatorEditorRequested, this, &TForm1::operatorEditorRequested);
    connect(entry_, &EntryPanel::typedQsoChanged, this, &TForm1::typedQsoChanged);
    connect(log_, &LogPanel::pickRequested, this, [this](PickKind kind) {
        const PickList list = entry_->pickList(kind);
        emit pickRequested(kind, list.entries, list.selected);
    });
    // Window shortcuts: the keys never reach the fields' own key handlers.
    connect(new QShortcut(QKeySequence(Qt::Key_F11), this), &QShortcut::activated, this, &TForm1::overviewRequested);
    connect(new QShortcut(QKeySequence(Qt::ALT | Qt::Key_K), this), &QShortcut::activated, this,
            guard(&TForm1::Button10Click));
    // Whatever has the focus, Escape stops what is being sent.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            guard(&TForm1::stopMessages));
    connect(new QShortcut(QKeySequence(Qt::Key_F12), this), &QShortcut::activated, this, &TForm1::bandMapRequested);
}

void TForm1::start()
{
    guarded(context_.platform, [this] { FormCreate(); });
    // The window opens in the middle of its screen, at its own size.
    if (const QScreen* screen = this->screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
    // The operator starts by typing a callsign over the headquarters default.
    entry_->focusCallsign();
}

void TForm1::FormCreate()
{
    entry_->FormCreate();
    logbook_.load();
}

void TForm1::followRadio(const RigChoice& choice, const link::RigTiming& timing)
{
    entry_->followRadio(choice, timing);
}

void TForm1::noteIgnoredSettings(const QString& notes) { entry_->noteIgnoredSettings(notes); }

void TForm1::sendCwThrough(std::unique_ptr<link::CwKeyer> keyer, const QString& source)
{
    messages_->useKeyer(std::move(keyer), source);
}

void TForm1::keyRadioThrough(std::unique_ptr<link::PttSwitch> ptt) { messages_->useRadioPtt(std::move(ptt)); }

void TForm1::stopMessages() { messages_->stop(); }

void TForm1::Button10Click()
{
    if (!messagesWindow_) {
        messagesWindow_ = new MessagesWindow(context_.platform, *messages_, this);
        connect(messagesWindow_, &MessagesWindow::saved, messages_.get(), &MessageKeys::replaceBook);
    }
    messagesWindow_->edit();
}

void TForm1::applyPick(PickKind kind, int position, const QString& entry) { log_->applyPick(kind, position, entry); }

void TForm1::showSharing(const ShareStatus& status) { log_->showSharing(status); }

void TForm1::takeSpot(const QString& call, const QString& band, const QString& mode, std::int64_t hertz)
{
    entry_->takeSpot(call, band, mode, hertz);
    // Picked with the mouse in the band map: the next keys are for the call.
    activateWindow();
}

void TForm1::showQso(const std::string& op, const std::string& line)
{
    if (logbook_.currentOperator() != op) {
        const std::optional<std::size_t> row = logbook_.operators().find(op);
        if (!row) {
            showError(context_.platform,
                      QStringLiteral("Operatora %1 nie ma na liście „Aktualny operator”.\n"
                                     "Dodaj go w oknie „Zarządzanie operatorami”, aby poprawić to QSO.")
                          .arg(fromCp1250(op)));
            return;
        }
        logbook_.selectOperator(static_cast<int>(*row));
    }
    activateWindow();
    log_->showLine(line);
}

void TForm1::Button6Click() { entry_->startClock(); }

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
        QStringLiteral("F1-F8  - komunikaty (CW albo nagrania SSB), Esc - przerwanie,"),
        QStringLiteral("F9/F10  - tempo CW, F11 - przegląd zawodów,"),
        QStringLiteral("ALT + K   - okno „Komunikaty”."),
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
