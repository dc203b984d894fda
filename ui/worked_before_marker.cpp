#include "worked_before_marker.h"

#include "codec.h"
#include "combo_lists.h"
#include "failure_box.h"
#include "log_file.h"
#include "log_line.h"
#include "log_snapshot.h"
#include "unit1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

namespace qz::ui {
namespace {

const QColor kDupeColour(255, 170, 170);
const QColor kOtherSlotColour(255, 236, 150);
constexpr std::size_t kListedQsos = 10;

template <typename Table, typename Column>
std::optional<std::string> selectedColumn(const QComboBox* list, const Table& table, Column column)
{
    const int index = selectedIndex(list);
    if (index < 0)
        return std::nullopt;
    const std::string entry = toCp1250(list->itemText(index));
    const auto row =
        std::find_if(table.begin(), table.end(), [&](const auto& r) { return !r.entry.empty() && r.entry == entry; });
    if (row == table.end())
        return std::nullopt;
    return std::string(column(*row));
}

// "2026-07-11 12:34 20M CW"
QString describe(const WorkedQso& qso)
{
    const QString time = fromAscii(qso.time);
    return QStringLiteral("%1 %2:%3 %4")
        .arg(fromAscii(qso.date), time.left(2), time.mid(2), slotName(qso.bandKey, qso.modeLetters));
}

}  // namespace

std::optional<std::string> selectedBandKey(const TForm1& form)
{
    return selectedColumn(form.ComboBox1, bandTable(), [](const Band& band) { return band.key; });
}

std::optional<std::string> selectedModeLetters(const TForm1& form)
{
    return selectedColumn(form.ComboBox2, modeTable(), [](const Mode& mode) { return mode.letters; });
}

QString slotName(std::string_view bandKey, std::string_view modeLetters)
{
    const auto& bands = bandTable();
    const auto band = std::find_if(bands.begin(), bands.end(), [&](const Band& b) { return b.key == bandKey; });
    const auto& modes = modeTable();
    const auto mode = std::find_if(modes.begin(), modes.end(), [&](const Mode& m) { return m.letters == modeLetters; });
    // 2 m and FM are in the format but not in the lists.
    const QString bandText = band == bands.end()   ? fromAscii(bandKey).trimmed()
                             : band->entry.empty() ? QStringLiteral("2M")
                                                   : fromAscii(band->entry);
    const QString modeText =
        mode == modes.end() || mode->entry.empty() ? fromAscii(modeLetters) : fromAscii(mode->entry);
    return bandText + QLatin1Char(' ') + modeText;
}

WorkedBeforeMarker::WorkedBeforeMarker(TForm1& form) : QObject(&form), form_(form), plain_(form.Edit4->palette())
{
    connect(form.Edit4, &QLineEdit::textChanged, this, &WorkedBeforeMarker::refresh);
    // The radio may change band and mode from code, so not only the user's picks count.
    for (QComboBox* list : {form.ComboBox1, form.ComboBox2}) {
        connect(list, &QComboBox::currentIndexChanged, this, &WorkedBeforeMarker::refresh);
        connect(list, &QComboBox::editTextChanged, this, &WorkedBeforeMarker::refresh);
    }
    connect(form.ComboBox3, &QComboBox::currentIndexChanged, this, &WorkedBeforeMarker::followOperator);
    connect(&form, &TForm1::operatorLinesRead, this, &WorkedBeforeMarker::rebuild);
    connect(&form, &TForm1::qsoStored, this, [this](const std::string& line) {
        index_.add(line);
        refresh();
    });
    connect(&form, &TForm1::qsoDeleted, this, [this](const std::string& line) {
        index_.removeEvery(line);
        refresh();
    });
}

void WorkedBeforeMarker::rebuild(const std::vector<std::string_view>& operatorLines)
{
    index_ = WorkedBefore(operatorLines, form_.currentOperator());
    refresh();
}

void WorkedBeforeMarker::followOperator()
{
    refresh();
    // A new operator normally comes with a view reload that brings the log
    // along; only when the list was changed without one is the log read here,
    // once the handler that changed it has finished.
    QTimer::singleShot(0, this, [this] {
        if (index_.op() == form_.currentOperator())
            return;
        guarded(form_.context().platform,
                [this] { rebuild(LogFile(form_.context().folder).snapshotOf(form_.currentOperator())->lines()); });
    });
}

std::string WorkedBeforeMarker::typedCall() const { return storedCallOf(toCp1250(form_.Edit4->text())); }

void WorkedBeforeMarker::refresh()
{
    const std::string call = typedCall();
    const bool sameOperator = index_.op() == form_.currentOperator();
    const std::vector<WorkedQso> qsos = sameOperator && !call.empty() ? index_.qsos(call) : std::vector<WorkedQso>();
    const auto band = selectedBandKey(form_);
    const auto mode = selectedModeLetters(form_);
    verdict_ = qsos.empty()   ? WorkedVerdict::New
               : band && mode ? index_.verdict(call, *band, *mode)
                              : WorkedVerdict::OtherSlot;

    QLineEdit* field = form_.Edit4;
    QPalette palette = plain_;
    if (verdict_ != WorkedVerdict::New)
        palette.setColor(QPalette::Base, verdict_ == WorkedVerdict::Dupe ? kDupeColour : kOtherSlotColour);
    field->setPalette(palette);
    field->setProperty("workedBefore", verdict_ == WorkedVerdict::Dupe        ? QStringLiteral("dupe")
                                       : verdict_ == WorkedVerdict::OtherSlot ? QStringLiteral("otherSlot")
                                                                              : QString());
    field->setToolTip(qsos.empty() ? QString() : tooltipFor(call, qsos, band, mode));
    emit changed();
}

QString WorkedBeforeMarker::tooltipFor(const std::string& call, std::vector<WorkedQso> qsos,
                                       const std::optional<std::string>& band,
                                       const std::optional<std::string>& mode) const
{
    const QString who = fromCp1250(call);
    const QString op = fromCp1250(index_.op());
    QStringList lines;
    if (verdict_ == WorkedVerdict::Dupe) {
        // The QSOs that make it a dupe come first, whatever else is listed.
        std::stable_partition(qsos.begin(), qsos.end(),
                              [&](const WorkedQso& qso) { return qso.bandKey == band && qso.modeLetters == mode; });
        lines << QStringLiteral("Powtórka: %1 jest już w logu %2 na %3:").arg(who, op, slotName(*band, *mode));
    } else {
        lines << QStringLiteral("%1 jest w logu %2 tylko na innych pasmach lub emisjach:").arg(who, op);
    }
    for (std::size_t i = 0; i < qsos.size() && i < kListedQsos; ++i)
        lines << describe(qsos[i]);
    if (qsos.size() > kListedQsos)
        lines << QStringLiteral("… i %1 innych").arg(qsos.size() - kListedQsos);
    return lines.join(QLatin1Char('\n'));
}

}  // namespace qz::ui
