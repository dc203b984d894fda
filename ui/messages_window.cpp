#include "messages_window.h"

#include "codec.h"
#include "control_setup.h"
#include "failure_box.h"
#include "field_text.h"
#include "message_keys.h"
#include "setting_notes.h"
#include "window_front.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qz::ui {
namespace {

QLineEdit* textField(QWidget* parent, const QString& name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(static_cast<int>(kMaxMessageLength));
    field->setMinimumWidth(220);
    keepOnOneLine(field);  // one line of the file per key
    return field;
}

}  // namespace

MessagesWindow::MessagesWindow(Platform& platform, const MessageKeys& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform), messages_(messages)
{
    setObjectName(QStringLiteral("FormKomunikaty"));
    setWindowTitle(QStringLiteral("Komunikaty"));

    auto* texts = new QGridLayout;
    texts->addWidget(new QLabel(QStringLiteral("CW: tekst nadawany"), this), 0, 1);
    texts->addWidget(new QLabel(QStringLiteral("SSB: co mówi nagranie glos/OPERATOR/Fn.wav"), this), 0, 2);
    for (std::size_t key = 0; key < kMessageKeys; ++key) {
        const QString name = QStringLiteral("F%1").arg(key + 1);
        const int row = static_cast<int>(key) + 1;
        cwTexts_[key] = textField(this, QStringLiteral("Cw") + name);
        ssbTexts_[key] = textField(this, QStringLiteral("Ssb") + name);
        cwTexts_[key]->setAccessibleName(name + QStringLiteral(" CW"));
        ssbTexts_[key]->setAccessibleName(name + QStringLiteral(" SSB"));
        texts->addWidget(new QLabel(name, this), row, 0);
        texts->addWidget(cwTexts_[key], row, 1);
        texts->addWidget(ssbTexts_[key], row, 2);
    }
    auto* fields = new QLabel(
        QStringLiteral(
            "{MYCALL} znak operatora, {CALL} pole Znak, {EXCH} nadawana grupa kontrolna, {RST} raport nadany"),
        this);
    fields->setWordWrap(true);

    EnterSends = named(new QCheckBox(QStringLiteral("Enter wysyła komunikat (CW: F5 i F2 w polu Znak, F3 po zapisaniu "
                                                    "QSO, F1 przy pustym znaku)"),
                                     this),
                       "EnterSends");
    CutNumbers = named(new QCheckBox(QStringLiteral("Cyfry 0 i 9 w numerach i raporcie nadawane jako T i N"), this),
                       "CutNumbers");
    Ptt = named(new QComboBox(this), "Ptt");
    Ptt->addItems({QStringLiteral("przez radio (rigctld)"), QStringLiteral("VOX (program nie włącza PTT)")});
    Speed = named(new QSpinBox(this), "Speed");
    Speed->setRange(kMinWpm, kMaxWpm);
    Speed->setSuffix(QStringLiteral(" WPM"));
    auto* ptt = new QLabel(QStringLiteral("PTT nagrań SSB:"), this);
    ptt->setBuddy(Ptt);
    auto* speed = new QLabel(QStringLiteral("Tempo CW (F9/F10):"), this);
    speed->setBuddy(Speed);
    auto* options = new QHBoxLayout;
    options->addWidget(ptt);
    options->addWidget(Ptt);
    options->addSpacing(12);
    options->addWidget(speed);
    options->addWidget(Speed);
    options->addStretch();

    Notes = named(new QLabel(this), "Notes");
    Notes->setWordWrap(true);
    Notes->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    SaveButton = named(new QPushButton(QStringLiteral("Zapisz"), this), "SaveButton");
    CloseButton = named(new QPushButton(QStringLiteral("Zamknij"), this), "CloseButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SaveButton);
    buttons->addWidget(CloseButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addWidget(fields);
    layout->addWidget(EnterSends);
    layout->addWidget(CutNumbers);
    layout->addLayout(options);
    layout->addWidget(Notes);
    layout->addLayout(buttons);

    const Guard guard(platform_, this);
    connect(SaveButton, &QPushButton::clicked, this, guard(&MessagesWindow::SaveClick));
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(enter), this), &QShortcut::activated, this,
                guard(&MessagesWindow::SaveClick));
}

void MessagesWindow::edit()
{
    const MessageBook& book = messages_.book();
    for (std::size_t key = 0; key < kMessageKeys; ++key) {
        cwTexts_[key]->setText(fromCp1250(book.cw[key]));
        ssbTexts_[key]->setText(fromCp1250(book.ssb[key]));
    }
    EnterSends->setChecked(book.enterSends);
    CutNumbers->setChecked(book.cutNumbers);
    Ptt->setCurrentIndex(book.ptt == qz::PttMode::Rig ? 0 : 1);
    Speed->setValue(book.wpm);
    Notes->setText(messageSettingNotes(messages_.ignored()));
    Notes->setVisible(!Notes->text().isEmpty());
    bringToFront(*this);
    cwTexts_[0]->setFocus();
}

MessageBook MessagesWindow::typedBook() const
{
    MessageBook book;
    for (std::size_t key = 0; key < kMessageKeys; ++key) {
        book.cw[key] = toCp1250(cwTexts_[key]->text());
        book.ssb[key] = toCp1250(ssbTexts_[key]->text());
    }
    book.enterSends = EnterSends->isChecked();
    book.cutNumbers = CutNumbers->isChecked();
    book.ptt = Ptt->currentIndex() == 0 ? qz::PttMode::Rig : qz::PttMode::Vox;
    book.wpm = Speed->value();
    return book;
}

void MessagesWindow::SaveClick()
{
    const MessageBook book = typedBook();
    saveMessages(messages_.folder(), book);
    emit saved(book);
    close();
}

}  // namespace qz::ui
