// Storing a QSO and the auto-increment of the sent exchange.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "combo_lists.h"
#include "entry_defaults.h"
#include "errors.h"
#include "failure_box.h"
#include "field_text.h"
#include "log_line.h"
#include "logbook.h"
#include "text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace qz::ui {
namespace {

// The position of the first character that is not a digit 0-9, or -1.
qsizetype firstNonDigit(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return i;
    return -1;
}

}  // namespace

void EntryPanel::Button4Click() { storeQso(); }

bool EntryPanel::storeQso()
{
    if (logbook_.currentIndex() < 0) {
        showError(context_.platform, QStringLiteral("Należy wybrać operatora, który przeprowadził to QSO!"));
        return false;
    }
    // Blanks alone would store a QSO without a call.
    if (trimmedView(toCp1250(Edit4->text())).empty()) {
        showError(context_.platform, QStringLiteral("Brak znaku stacji!"));
        return false;
    }
    // Typed text that is not one of the entries would leave its columns blank
    // in the log, so it is refused.
    const Band* band = selectedBand(ComboBox1);
    if (!band) {
        showError(context_.platform,
                  QStringLiteral("Nieznane pasmo „%1”!\nWybierz pasmo z listy.").arg(ComboBox1->currentText()));
        return false;
    }
    const Mode* mode = selectedMode(ComboBox2);
    if (!mode) {
        showError(context_.platform,
                  QStringLiteral("Nieznana emisja „%1”!\nWybierz emisję z listy.").arg(ComboBox2->currentText()));
        return false;
    }

    // The clock may have been stopped and the field never left, so its check never ran.
    if (!checkDateField() || !checkTimeField())
        return false;
    const std::string sentExchange = trimmed(toCp1250(Edit8->text()));
    if (!everyEntryFits(sentExchange))
        return false;

    Edit8->setText(fromCp1250(sentExchange));
    logbook_.store(composeLine({.date = toCp1250(Edit2->text()),
                                .time = toCp1250(Edit3->text()),
                                .bandColumn = std::string(band->column),
                                .modeColumn = std::string(mode->column),
                                .op = logbook_.currentOperator(),
                                .rstSent = toCp1250(Edit5->text()),
                                .exchangeSent = sentExchange,
                                .call = toCp1250(Edit4->text()),
                                .rstReceived = toCp1250(Edit7->text()),
                                .exchangeReceived = toCp1250(Edit6->text())}));

    if (CheckBox1->isChecked())
        Edit8->setText(fromCp1250(nextNumber(toCp1250(Edit8->text()))));
    if (Edit4->text() != kHeadquartersCallText)
        Edit4->clear();
    if (Edit6->text() != kHeadquartersExchangeText)
        Edit6->clear();
    // What stays is the kept default, for the next QSO to replace.
    exchangeTyped_ = false;
    focusField(Edit4);
    startClock();
    return true;
}

void EntryPanel::CheckBox1Click()
{
    if (!CheckBox1->isChecked() ||
        !warnAboutNonDigitExchange(
            QStringLiteral("Aby uaktywnić funkcję ZWIĘKSZ AUTOMATYCZNIE, w polu NADAWANA GRUPA KONTROLNA\n"
                           "mogą znajdować się wyłącznie cyfry!\n"
                           "Jeśli grupą kontrolną był kolejny numer QSO, wprowadź w to pole numer nadany przy "
                           "pierwszym QSO\n"
                           "i włącz funkcję ponownie.\n")))
        return;
    CheckBox1->setChecked(false);
    focusField(Edit8);
}

void EntryPanel::Edit8Change()
{
    if (CheckBox1->isChecked() &&
        warnAboutNonDigitExchange(QStringLiteral(
            "Przy aktywnej funkcji ZWIĘKSZ AUTOMATYCZNIE, do tego pola można wprowadzać tylko cyfry!\n"
            "Jeśli nadawany była grupa kontrolna zawierająca litery (lokator, województwo) wyłącz funkcję\n"
            "ZWIĘKSZ AUTOMATYCZNIE i ponownie wprowadź grupę.")))
        focusField(Edit8);
}

bool EntryPanel::everyEntryFits(const std::string& sentExchange)
{
    const struct {
        Field field;
        QWidget* control;
        QString caption;
        std::string text;
    } entries[] = {
        {Field::Operator, ComboBox3, QStringLiteral("Aktualny operator"), logbook_.currentOperator()},
        {Field::SentReport, Edit5, QStringLiteral("Rprt nadany"), toCp1250(Edit5->text())},
        {Field::SentExchange, Edit8, Panel1->title(), sentExchange},
        {Field::Call, Edit4, QStringLiteral("Znak"), toCp1250(Edit4->text())},
        {Field::ReceivedReport, Edit7, QStringLiteral("Rprt odebrany"), toCp1250(Edit7->text())},
        {Field::ReceivedExchange, Edit6, QStringLiteral("Numer odebrany"), toCp1250(Edit6->text())},
    };
    for (const auto& entry : entries) {
        if (fitsReadColumns(entry.field, entry.text))
            continue;
        showError(context_.platform,
                  tooLongText(entry.caption, storedLength(entry.field, entry.text), layoutOf(entry.field).readWidth));
        entry.control->setFocus();
        if (auto* field = qobject_cast<QLineEdit*>(entry.control))
            field->end(false);
        return false;
    }
    return true;
}

bool EntryPanel::warnAboutNonDigitExchange(const QString& warning)
{
    if (firstNonDigit(Edit8->text()) < 0)
        return false;
    showError(context_.platform, warning);
    return true;
}

}  // namespace qz::ui
