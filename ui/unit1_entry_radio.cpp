// The band and mode lists follow the radio heard through rigctld.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "failure_box.h"
#include "following_list.h"
#include "setting_notes.h"

#include <QComboBox>

namespace qz::ui {

void EntryPanel::followRadio(const RigChoice& choice, const link::RigTiming& timing)
{
    noteIgnoredSettings(radioSettingNotes(choice.ignored));
    const auto showState = [this](const QString& state) {
        radioState_ = state;
        showBandHint();
    };
    if (!choice.address) {
        showState(QStringLiteral("Radio: nie jest śledzone (off w %1)").arg(fromAscii(choice.source)));
        return;
    }
    bandFollow_ = new FollowingList(ComboBox1);
    modeFollow_ = new FollowingList(ComboBox2);
    auto* radio = new link::RigFollower(*choice.address, timing, this);
    radio->setObjectName(QStringLiteral("RigFollower1"));
    connect(radio, &link::RigFollower::stateChanged, this, showState);
    connect(radio, &link::RigFollower::tuned, this, Guard(context_.platform, this)(&EntryPanel::RadioTuned));
    showState(radio->state());
    radio->start();
}

void EntryPanel::noteIgnoredSettings(const QString& notes)
{
    if (notes.isEmpty())
        return;
    settingNotes_ << notes;
    showBandHint();
}

void EntryPanel::showBandHint()
{
    QStringList lines = settingNotes_;
    if (!radioState_.isEmpty())
        lines.prepend(radioState_);
    ComboBox1->setToolTip(lines.join(QLatin1Char('\n')));
}

void EntryPanel::RadioTuned(const QString& band, const QString& mode)
{
    bandFollow_->follow(band);
    // The reports follow a mode from the radio exactly as a pick from the list.
    if (modeFollow_->follow(mode))
        ComboBox2Change();
}

}  // namespace qz::ui
