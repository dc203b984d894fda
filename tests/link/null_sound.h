#pragma once
// A sound card for the tests: a PulseAudio server of the test process's own,
// with a null sink (it plays into nothing, in real time) and a null source (a
// microphone that hears silence), on a socket in a private folder. No sound
// card is needed and none sounds. Debian's Qt talks to PulseAudio directly,
// so this must be in place before the process first asks QMediaDevices; the
// server quits by itself a few seconds after the process has gone.

#include "eventually.h"

#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>

namespace qz::test {

namespace detail {

// Empty when the server answers, else why not.
inline std::string startNullSound()
{
    static QTemporaryDir folder;
    const QString socket = folder.filePath(QStringLiteral("native"));
    // The client's files too, so that neither touches the user's own.
    qputenv("PULSE_RUNTIME_PATH", folder.filePath(QStringLiteral("run")).toLocal8Bit());
    qputenv("PULSE_STATE_PATH", folder.filePath(QStringLiteral("state")).toLocal8Bit());
    qputenv("PULSE_COOKIE", folder.filePath(QStringLiteral("cookie")).toLocal8Bit());
    QProcess server;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), folder.path());
    server.setProcessEnvironment(environment);
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(folder.filePath(QStringLiteral("pulseaudio.log")));
    server.setProgram(QStringLiteral("pulseaudio"));
    server.setArguments({QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=3"),
                         QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                         QStringLiteral("--load=module-null-sink sink_name=null"),
                         QStringLiteral("--load=module-null-source source_name=silence"),
                         QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + socket});
    if (!server.startDetached())
        return "pulseaudio did not start";
    if (!eventually([&] {
            QLocalSocket probe;
            probe.connectToServer(socket);
            return probe.waitForConnected(100);
        }))
        return "pulseaudio does not answer: see " + folder.filePath(QStringLiteral("pulseaudio.log")).toStdString();
    qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
    return {};
}

}  // namespace detail

inline bool pulseAudioInstalled() { return !QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty(); }

// Starts the server once per process; later calls say how that went.
inline ::testing::AssertionResult useNullSound()
{
    static const std::string failure = detail::startNullSound();
    if (failure.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << failure;
}

}  // namespace qz::test
