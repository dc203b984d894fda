// The band and mode lists follow the radio heard through rigctld.

#include "unit1_entry_panel.h"

#include "codec.h"
#include "failure_box.h"
#include "following_list.h"

#include <QComboBox>

namespace qz::ui {
namespace {

constexpr qsizetype kShownSettingLength = 40;

QString problemText(const IgnoredRigSetting& ignored)
{
    switch (ignored.problem) {
    case RigProblem::Empty: return QStringLiteral("brak adresu");
    case RigProblem::NoPort: return QStringLiteral("brak portu");
    case RigProblem::BadPort: return QStringLiteral("port musi być liczbą od 1 do 65535");
    case RigProblem::BadHost: return QStringLiteral("niedozwolony adres komputera");
    case RigProblem::Unreadable:
        return QStringLiteral("nie można odczytać pliku (%1)").arg(QString::fromStdString(ignored.detail));
    case RigProblem::None: break;
    }
    return {};
}

// The setting as given, short and on one line, for the hint.
QString shownSetting(const std::string& text)
{
    QString shown = fromCp1250(text);
    for (QChar& c : shown)
        if (c.unicode() < 0x20)
            c = QLatin1Char('?');
    return shown.size() > kShownSettingLength ? shown.left(kShownSettingLength) + QStringLiteral("…") : shown;
}

// One line per setting that was passed over, so the operator learns why the
// radio is not followed as they meant.
QString ignoredText(const std::vector<IgnoredRigSetting>& ignored)
{
    QStringList lines;
    for (const IgnoredRigSetting& setting : ignored)
        lines << QStringLiteral("Pominięto ustawienie radia %1 „%2”: %3; oczekiwano HOST:PORT albo off.")
                     .arg(QString::fromStdString(setting.source), shownSetting(setting.text), problemText(setting));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

void EntryPanel::followRadio(const RigChoice& choice, const RigTiming& timing)
{
    const QString notes = ignoredText(choice.ignored);
    const auto showState = [this, notes](const QString& state) {
        ComboBox1->setToolTip(notes.isEmpty() ? state : state + QLatin1Char('\n') + notes);
    };
    if (!choice.address) {
        showState(QStringLiteral("Radio: nie jest śledzone (off w %1)").arg(QString::fromStdString(choice.source)));
        return;
    }
    bandFollow_ = new FollowingList(ComboBox1);
    modeFollow_ = new FollowingList(ComboBox2);
    auto* radio = new RigFollower(*choice.address, timing, this);
    radio->setObjectName(QStringLiteral("RigFollower1"));
    connect(radio, &RigFollower::stateChanged, this, showState);
    connect(radio, &RigFollower::tuned, this, Guard(context_.platform, this)(&EntryPanel::RadioTuned));
    showState(radio->state());
    radio->start();
}

void EntryPanel::RadioTuned(const QString& band, const QString& mode)
{
    bandFollow_->follow(band);
    // The reports follow a mode from the radio exactly as a pick from the list.
    if (modeFollow_->follow(mode))
        ComboBox2Change();
}

}  // namespace qz::ui
