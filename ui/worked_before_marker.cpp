#include "worked_before_marker.h"

#include "codec.h"
#include "combo_lists.h"
#include "logbook.h"

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

namespace qz::ui {
namespace {

const QColor kDupeColour(255, 170, 170);
const QColor kOtherSlotColour(255, 236, 150);
constexpr std::size_t kListedQsos = 10;

// "2026-07-11 12:34 20M CW"
QString describe(const WorkedQso& qso)
{
    const QString time = fromAscii(qso.time);
    return QStringLiteral("%1 %2:%3 %4")
        .arg(fromAscii(qso.date), time.left(2), time.mid(2), slotName(qso.bandKey, qso.modeLetters));
}

}  // namespace

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

WorkedBeforeMarker::WorkedBeforeMarker(QLineEdit* callField, const QComboBox* bandList, const QComboBox* modeList,
                                       const Logbook& logbook, QObject* parent)
    : QObject(parent), callField_(callField), bandList_(bandList), modeList_(modeList), logbook_(logbook),
      plain_(callField->palette())
{
    connect(callField, &QLineEdit::textChanged, this, &WorkedBeforeMarker::refresh);
    // The radio may change band and mode from code, so not only the user's picks count.
    for (const QComboBox* list : {bandList, modeList}) {
        connect(list, &QComboBox::currentIndexChanged, this, &WorkedBeforeMarker::refresh);
        connect(list, &QComboBox::editTextChanged, this, &WorkedBeforeMarker::refresh);
    }
    for (const auto change : {&Logbook::reloaded, &Logbook::operatorChanged, &Logbook::newLogStarted})
        connect(&logbook, change, this, &WorkedBeforeMarker::refresh);
    connect(&logbook, &Logbook::stored, this, &WorkedBeforeMarker::refresh);
    connect(&logbook, &Logbook::arrived, this, &WorkedBeforeMarker::refresh);
    connect(&logbook, &Logbook::deleted, this, &WorkedBeforeMarker::refresh);
}

std::string WorkedBeforeMarker::typedCall() const { return storedCallOf(toCp1250(callField_->text())); }

void WorkedBeforeMarker::refresh()
{
    const std::string call = typedCall();
    const WorkedBefore& index = logbook_.workedBefore();
    // After a failed reload the index may still be the previous operator's.
    const bool sameOperator = index.op() == logbook_.currentOperator();
    const std::vector<WorkedQso> qsos = sameOperator && !call.empty() ? index.qsos(call) : std::vector<WorkedQso>();
    const Band* band = selectedBand(bandList_);
    const Mode* mode = selectedMode(modeList_);
    verdict_ = qsos.empty()   ? WorkedVerdict::New
               : band && mode ? index.verdict(call, band->key, mode->letters)
                              : WorkedVerdict::OtherSlot;

    QPalette palette = plain_;
    if (verdict_ != WorkedVerdict::New)
        palette.setColor(QPalette::Base, verdict_ == WorkedVerdict::Dupe ? kDupeColour : kOtherSlotColour);
    callField_->setPalette(palette);
    callField_->setProperty("workedBefore", verdict_ == WorkedVerdict::Dupe        ? QStringLiteral("dupe")
                                            : verdict_ == WorkedVerdict::OtherSlot ? QStringLiteral("otherSlot")
                                                                                   : QString());
    callField_->setToolTip(qsos.empty() ? QString() : tooltipFor(call, qsos, band, mode));
    emit changed();
}

QString WorkedBeforeMarker::tooltipFor(const std::string& call, std::vector<WorkedQso> qsos, const Band* band,
                                       const Mode* mode) const
{
    const QString who = fromCp1250(call);
    const QString op = fromCp1250(logbook_.workedBefore().op());
    QStringList lines;
    if (verdict_ == WorkedVerdict::Dupe) {
        // The QSOs that make it a dupe come first, whatever else is listed.
        std::stable_partition(qsos.begin(), qsos.end(), [&](const WorkedQso& qso) {
            return qso.bandKey == band->key && qso.modeLetters == mode->letters;
        });
        lines << QStringLiteral("Powtórka: %1 jest już w logu %2 na %3:")
                     .arg(who, op, slotName(band->key, mode->letters));
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
