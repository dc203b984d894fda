// QZ5KV Stationbook: the station's files live beside the executable.

#include "cluster_setting.h"
#include "codec.h"
#include "command_line.h"
#include "cw_setting.h"
#include "failure_box.h"
#include "platform.h"
#include "rig_setting.h"
#include "share_setting.h"
#include "station.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

namespace {

// The last line of defence: whatever a handler let through is shown in the
// error box instead of ending the program.
class StationApplication : public QApplication {
public:
    StationApplication(int& argc, char** argv, qz::ui::Platform& platform)
        : QApplication(argc, argv), platform_(platform)
    {
    }

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            qz::ui::reportCurrentException(platform_);
            return false;
        }
    }

private:
    qz::ui::Platform& platform_;
};

}  // namespace

int main(int argc, char** argv)
{
    // Help needs no screen, so it is given before Qt looks for one.
    if (argc > 0 && qz::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc)).help) {
        std::fputs(qz::commandLineUsage(argv[0]).c_str(), stdout);
        return 0;
    }
    qz::ui::QtPlatform platform;
    StationApplication app(argc, argv, platform);
    QApplication::setApplicationName(qz::ui::kApplicationTitle);
    QApplication::setApplicationDisplayName(qz::ui::kApplicationTitle);

    // Qt has taken its own options out; a stray argument is named and passed
    // over, so that it never keeps the log from starting.
    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
    const qz::CommandLine options = qz::parseCommandLine(arguments);
    for (const std::string& unknown : options.unknown)
        std::fprintf(stderr, "QZ5KV_stationbook: unknown argument \"%s\" ignored (--help lists the options)\n",
                     unknown.c_str());

    // Polish texts on the standard buttons ("Tak", "Nie", "Anuluj").
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    const std::filesystem::path folder = qz::toPath(QApplication::applicationDirPath());
    qz::ui::Station station({folder, platform, qz::systemClock()});
    if (!station.lockFolder())
        return 1;
    station.start();
    const qz::RigChoice rig = qz::chooseRig(options.rig, folder);
    station.form1.followRadio(rig);
    station.chooseCw(qz::chooseCw(options.cw, folder), rig);
    station.chooseSharing(qz::chooseShare(options.share, folder));
    station.chooseCluster(qz::chooseCluster(options.cluster, folder));
    return QApplication::exec();
}
