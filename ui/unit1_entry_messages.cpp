// The function keys' messages from the callsign and exchange fields, and
// Enter sending them when the messages file says so.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "combo_lists.h"
#include "logbook.h"
#include "message_keys.h"
#include "text.h"

#include <QComboBox>
#include <QLineEdit>

namespace qz::ui {
namespace {

constexpr int kVkF1 = 112;
constexpr int kVkF9 = 120;
constexpr int kVkF10 = 121;
constexpr int kSpeedStep = 2;

// The keys' texts by their use in a QSO.
constexpr std::size_t kCq = 0;
constexpr std::size_t kExchange = 1;
constexpr std::size_t kThanks = 2;
constexpr std::size_t kHisCall = 4;

}  // namespace

void EntryPanel::MessageKeyDown(int key, Qt::KeyboardModifiers shift)
{
    const bool messageKey = key >= kVkF1 && key < kVkF1 + static_cast<int>(kMessageKeys);
    if (messageKey && shift == Qt::ControlModifier)
        messages_.record(static_cast<std::size_t>(key - kVkF1), logbook_.currentOperator());
    if (shift != Qt::NoModifier)
        return;
    if (messageKey)
        messages_.send(static_cast<std::size_t>(key - kVkF1), typedMode(), typedFields());
    else if (key == kVkF9)
        messages_.stepSpeed(-kSpeedStep);
    else if (key == kVkF10)
        messages_.stepSpeed(kSpeedStep);
}

MessageMode EntryPanel::typedMode() const
{
    return selectedIndex(ComboBox2) == kSsbPosition ? MessageMode::Ssb : MessageMode::Cw;
}

MessageFields EntryPanel::typedFields() const
{
    return {.mycall = logbook_.currentOperator(),
            .call = toCp1250(Edit4->text()),
            .exch = trimmed(toCp1250(Edit8->text())),
            .rst = toCp1250(Edit5->text())};
}

// On SSB the operator says the call and the exchange; Enter stays Enter.
bool EntryPanel::enterSends() const { return messages_.book().enterSends && typedMode() == MessageMode::Cw; }

bool EntryPanel::sendOnEnterInCall()
{
    const MessageFields fields = typedFields();
    if (trimmedView(fields.call).empty()) {
        messages_.send(kCq, MessageMode::Cw, fields);
        return false;
    }
    messages_.send(kHisCall, MessageMode::Cw, fields);
    messages_.send(kExchange, MessageMode::Cw, fields);
    return true;
}

void EntryPanel::storeAndSendOnEnter()
{
    // The fields as stored: the store empties the call.
    const MessageFields fields = typedFields();
    if (storeQso())
        messages_.send(kThanks, MessageMode::Cw, fields);
}

}  // namespace qz::ui
