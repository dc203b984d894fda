// One computer of a shared station, without windows, for the test that kills
// computers while they share: it stores QSOs SPn (n from FIRST, COUNT of
// them, one every INTERVAL ms) and says "stored SPn" on its output once each
// is in the log. Then it says "done" and goes on taking the others' QSOs
// until it is stopped.
//
//   share_driver FOLDER PORT NAME FIRST COUNT INTERVAL

#include "log_line.h"
#include "logbook.h"
#include "share_wiring.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 7) {
        std::fputs("usage: share_driver FOLDER PORT NAME FIRST COUNT INTERVAL\n", stderr);
        return 2;
    }
    const auto port = static_cast<std::uint16_t>(std::stoi(argv[2]));
    int next = std::stoi(argv[4]);
    const int last = next + std::stoi(argv[5]);

    qz::ui::Logbook logbook{std::filesystem::path(argv[1])};
    logbook.load();
    logbook.startSharing(argv[3], "DRIVER");
    const auto broker =
        qz::ui::linkToBroker(logbook, {.broker = {"127.0.0.1", port}, .station = "QZ5KV", .user = {}, .password = {}});

    QTimer storing;
    QObject::connect(&storing, &QTimer::timeout, [&] {
        if (next == last) {
            storing.stop();
            std::puts("done");
            std::fflush(stdout);
            return;
        }
        const std::string call = "SP" + std::to_string(next++);
        logbook.store(qz::composeLine({.date = "2026-07-11",
                                       .time = "12:00",
                                       .bandColumn = std::string(*qz::bandColumnFor("20M")),
                                       .modeColumn = std::string(*qz::modeColumnFor("CW")),
                                       .op = "QZ1ABC",
                                       .rstSent = "599",
                                       .exchangeSent = "28",
                                       .call = call,
                                       .rstReceived = "599",
                                       .exchangeReceived = "28"}));
        std::printf("stored %s\n", call.c_str());
        std::fflush(stdout);
    });
    storing.start(std::stoi(argv[6]));
    return QCoreApplication::exec();
}
