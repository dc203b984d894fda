// The band and mode lists follow the radio heard through rigctld; a spot
// picked on the band map tunes it.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "failure_box.h"
#include "following_list.h"
#include "rig_keying.h"
#include "rig_tuning.h"
#include "rigctld_session.h"
#include "setting_notes.h"

#include <QComboBox>
#include <QLineEdit>

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
    radioAddress_ = choice.address;
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
    if (!tuneProblem_.isEmpty())
        lines.prepend(tuneProblem_);
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

void EntryPanel::takeSpot(const QString& call, const QString& band, const QString& mode, std::int64_t hertz)
{
    Edit4->setText(call);
    if (const int position = ComboBox1->findText(band); position >= 0)
        ComboBox1->setCurrentIndex(position);
    if (const int position = ComboBox2->findText(mode); position >= 0 && position != ComboBox2->currentIndex()) {
        ComboBox2->setCurrentIndex(position);
        ComboBox2Change();
    }
    focusField(Edit4);
    if (radioAddress_)
        tuneRadio(mode, hertz);
}

void EntryPanel::tuneRadio(const QString& mode, std::int64_t hertz)
{
    if (!tuner_) {
        tuner_ = new link::RigctldSession(*radioAddress_, {}, this);
        connect(tuner_, &link::RigctldSession::problemChanged, this, [this](const QString& problem) {
            tuneProblem_ = problem;
            showBandHint();
        });
        tuner_->start();
    }
    // Said in the band list's hint: the lists already show the spot's band
    // and mode, while the radio stays where it was.
    const auto told = [this](std::string_view command) {
        return [this, command](const std::optional<rig::Reply>& reply) {
            if (reply && rig::succeeded(*reply, command))
                return;
            tuneProblem_ =
                reply ? QStringLiteral("Radio nie przestroiło się (%1: %2)").arg(fromAscii(command)).arg(reply->result)
                      : QStringLiteral("Radio nie przestroiło się (%1)").arg(tuner_->where());
            showBandHint();
        };
    };
    tuneProblem_.clear();
    tuner_->ask(rig::setFrequencyRequest(hertz), rig::kSetFrequencyCommand, this, told(rig::kSetFrequencyCommand));
    tuner_->ask(rig::setModeRequest(toCp1250(mode), hertz), rig::kSetModeCommand, this, told(rig::kSetModeCommand));
}

}  // namespace qz::ui
