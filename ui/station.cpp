#include "station.h"

#include "codec.h"
#include "failure_box.h"
#include "field_keys.h"
#include "hint_timing.h"
#include "setting_notes.h"
#include "window_front.h"

namespace qz::ui {

Station::Station(const StationContext& context)
    : logbook(context.folder), form1(context, logbook), form2(context, logbook), form3(context),
      form4(context,
            [this](PickKind kind, int position, const QString& entry) {
                // Unguarded: a failed change reaches the dialog's own error
                // box and keeps it open.
                form1.applyPick(kind, position, entry);
            }),
      overview(context, logbook, form1, [this] { return form2.isEditing(); }), bandMap(context, logbook),
      context_(context)
{
    Platform& platform = context.platform;
    const Guard toMain(platform, &form1);
    const Guard toEditor(platform, &form2);
    const Guard toLogbook(platform, &logbook);

    QObject::connect(&form1, &TForm1::operatorEditorRequested, &form2, toEditor(&TForm2::open));
    QObject::connect(&form1, &TForm1::cabrilloExported, &form2, toEditor(&TForm2::showExportedOperator));
    QObject::connect(&logbook, &Logbook::newLogStarted, &form2, &TForm2::resetForNewLog);
    QObject::connect(&form1, &TForm1::adifExportRequested, &form3,
                     [this] { form3.open(form2.contestName(), form1.frameGeometry().center()); });
    QObject::connect(&form1, &TForm1::pickRequested, &form4, &TForm4::open);
    QObject::connect(&form2, &TForm2::closed, &form1, [this] { bringToFront(form1); });

    QObject::connect(&form3, &TForm3::exported, &logbook, toLogbook(&Logbook::reload));
    QObject::connect(&form3, &TForm3::returned, &form1, &QWidget::show);

    QObject::connect(&form1, &TForm1::overviewRequested, &overview, &ContestOverview::toggle);
    QObject::connect(&form1, &TForm1::typedQsoChanged, &overview, &ContestOverview::showTyped);
    QObject::connect(&overview, &ContestOverview::claimedScoreWritten, &form2, toEditor(&TForm2::showExportedOperator));
    QObject::connect(&overview, &ContestOverview::qsoChosen, &form1, toMain(&TForm1::showQso));

    QObject::connect(&form1, &TForm1::bandMapRequested, &bandMap, &BandMapWindow::toggle);
    QObject::connect(&form1, &TForm1::spotRequested, &bandMap, &BandMapWindow::pickNext);
    QObject::connect(&form1, &TForm1::typedQsoChanged, &bandMap, [this](const TypedQso& typed) {
        bandMap.showBand(typed.band ? fromAscii(typed.band->entry) : QString());
    });
    QObject::connect(&bandMap, &BandMapWindow::picked, &form1, toMain(&TForm1::takeSpot));

    keepAltKeysFromTyping(&form1);
    keepHintsClearOfTheirControls(&form1);
}

bool Station::lockFolder()
{
    const StationContext& context = context_;
    try {
        lock_ = StationLock::acquire(context.folder);
    } catch (...) {
        // Where the lock cannot even be opened, this account cannot write the
        // log either: it can still be read, and each store that fails says why.
        reportCurrentException(context.platform);
        return true;
    }
    if (lock_) {
        if (const auto& problem = lock_->writeProblem())
            guarded(context.platform, [&] { throw *problem; });
        return true;
    }
    showError(context.platform, QStringLiteral("Program QZ5KV Stationbook jest już uruchomiony w folderze %1.\n"
                                               "Drugiej kopii nie można uruchomić, bo obie zapisywałyby ten sam log.")
                                    .arg(fromPath(context.folder)));
    return false;
}

void Station::start() { form1.start(); }

void Station::chooseSharing(const ShareChoice& choice)
{
    share_ = choice;
    form1.noteIgnoredSettings(shareSettingNotes(choice.ignored));
    if (choice.setting)
        startSharing(*choice.setting);
}

void Station::chooseCluster(const ClusterChoice& choice, const link::ClusterTiming& timing)
{
    form1.noteIgnoredSettings(clusterSettingNotes(choice.ignored));
    bandMap.setLifetime(choice.lifetime);
    if (!choice.setting) {
        bandMap.showClusterState(QStringLiteral("Klaster: nie jest czytany"));
        return;
    }
    auto* client = new link::ClusterClient(*choice.setting, timing);
    cluster_.reset(client);
    QObject::connect(client, &link::ClusterClient::spotted, &bandMap, [this](const Spot& spot) {
        bandMap.addSpot(spot);
        if (shareSpot_)
            shareSpot_(spot);
    });
    QObject::connect(client, &link::ClusterClient::stateChanged, &bandMap, &BandMapWindow::showClusterState);
    bandMap.showClusterState(client->state());
    client->start();
}

}  // namespace qz::ui
