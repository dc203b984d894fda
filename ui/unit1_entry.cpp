// Storing a QSO and the auto-increment of the sent exchange.

#include "unit1.h"

#include "codec.h"
#include "combo_lists.h"
#include "entry_defaults.h"
#include "errors.h"
#include "log_file.h"
#include "log_line.h"
#include "text.h"

#include <QCheckBox>
#include <QComboBox>
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

// The band or mode column of the list's selected entry. Typed text that is not
// one of the entries would leave its columns blank in the log, so it is refused.
template <typename Lookup>
std::optional<std::string> columnOfList(const QComboBox* list, Lookup lookup)
{
    const int index = selectedIndex(list);
    if (index < 0)
        return std::nullopt;
    const auto column = lookup(toCp1250(list->itemText(index)));
    if (!column)
        return std::nullopt;
    return std::string(*column);
}

}  // namespace

void TForm1::Button4Click()
{
    if (ComboBox3->currentIndex() < 0) {
        showError(context_.platform, QStringLiteral("Należy wybrać operatora, który przeprowadził to QSO!"));
        return;
    }
    if (Edit4->text().isEmpty()) {
        showError(context_.platform, QStringLiteral("Brak znaku stacji!"));
        return;
    }
    const auto band = columnOfList(ComboBox1, bandColumnFor);
    if (!band) {
        showError(context_.platform,
                  QStringLiteral("Nieznane pasmo „%1”!\nWybierz pasmo z listy.").arg(ComboBox1->currentText()));
        return;
    }
    const auto mode = columnOfList(ComboBox2, modeColumnFor);
    if (!mode) {
        showError(context_.platform,
                  QStringLiteral("Nieznana emisja „%1”!\nWybierz emisję z listy.").arg(ComboBox2->currentText()));
        return;
    }

    const std::string sentExchange = trimmed(toCp1250(Edit8->text()));
    Edit8->setText(fromCp1250(sentExchange));
    const std::string line = composeLine({toCp1250(Edit2->text()), toCp1250(Edit3->text()), *band, *mode,
                                          currentOperator(), toCp1250(Edit5->text()), sentExchange,
                                          toCp1250(Edit4->text()), toCp1250(Edit7->text()), toCp1250(Edit6->text())});

    const int row = ListBox1->insertSorted(line);
    ListBox1->selectRow(ListBox1->findNoCase(line));
    try {
        LogFile(context_.folder).append(line);
    } catch (...) {
        // A QSO that is not in the file must not look stored.
        ListBox1->removeRow(row);
        throw;
    }
    emit qsoStored(line);

    addHeadquartersSlot(ListBox3, line);
    updateBanner();
    if (CheckBox1->isChecked())
        Edit8->setText(fromCp1250(nextNumber(toCp1250(Edit8->text()))));
    if (Edit4->text() != kHeadquartersCallText)
        Edit4->clear();
    if (Edit6->text() != kHeadquartersExchange)
        Edit6->clear();
    focusField(Edit4);
    startClock();
}

void TForm1::CheckBox1Click()
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

void TForm1::Edit8Change()
{
    if (CheckBox1->isChecked() &&
        warnAboutNonDigitExchange(QStringLiteral(
            "Przy aktywnej funkcji ZWIĘKSZ AUTOMATYCZNIE, do tego pola można wprowadzać tylko cyfry!\n"
            "Jeśli nadawany była grupa kontrolna zawierająca litery (lokator, województwo) wyłącz funkcję\n"
            "ZWIĘKSZ AUTOMATYCZNIE i ponownie wprowadź grupę.")))
        focusField(Edit8);
}

bool TForm1::warnAboutNonDigitExchange(const QString& warning)
{
    if (firstNonDigit(Edit8->text()) < 0)
        return false;
    showError(context_.platform, warning);
    return true;
}

}  // namespace qz::ui
