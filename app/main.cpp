// QZ5KV Stationbook: the station's files live beside the executable.

#include "codec.h"
#include "failure_box.h"
#include "platform.h"
#include "station.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
    qz::ui::QtPlatform platform;
    StationApplication app(argc, argv, platform);
    QApplication::setApplicationName(qz::ui::kApplicationTitle);
    QApplication::setApplicationDisplayName(qz::ui::kApplicationTitle);

    // Polish texts on the standard buttons ("Tak", "Nie", "Anuluj").
    QTranslator translator;
    if (translator.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);

    qz::ui::Station station({qz::ui::toPath(QApplication::applicationDirPath()), platform, qz::systemClock()});
    if (!station.lockFolder())
        return 1;
    station.start();
    return QApplication::exec();
}
