// The expected exchange in the received exchange field, and its hint.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "entry_defaults.h"
#include "exchange_predictor.h"
#include "hint_timing.h"
#include "worked_before_marker.h"

#include <QLineEdit>

namespace qz::ui {

void EntryPanel::fillExpectedExchange()
{
    if (!predictor_->fillsExchange())
        return;
    const std::string call = workedBefore_->typedCall();
    const QString held = Edit6->text();
    // Only what the program put there gives way: an earlier prediction, or
    // the headquarters default kept after a QSO with another station.
    const bool replaceable =
        held.isEmpty() ||
        (!exchangeTyped_ && ((filled_ && held == fromCp1250(filled_->exchange)) ||
                             (held == kHeadquartersExchangeText && fromCp1250(call) != kHeadquartersCallText)));
    if (!replaceable)
        return;
    const std::optional<Prediction> expected = predictor_->predict(call);
    if (expected)
        Edit6->setText(fromCp1250(expected->exchange));
    else if (held != kHeadquartersExchangeText)
        Edit6->clear();  // an earlier station's prediction is none for this one
    filled_ = expected;
    exchangeTyped_ = false;
    showExchangeHint();
}

void EntryPanel::showExchangeHint()
{
    QStringList lines;
    if (!predictor_->fillsExchange())
        lines << QStringLiteral("Podpowiadanie numeru wyłączone (PREDICT=off w %1)").arg(fromAscii(kMessagesFileName));
    else if (filled_ && Edit6->text() == fromCp1250(filled_->exchange))
        lines << predictionSourceText(*filled_);
    lines << predictor_->historySummary();
    Edit6->setToolTip(lines.join(QLatin1Char('\n')));
    Edit6->setToolTipDuration(kHintShowMs);
}

}  // namespace qz::ui
