// Computers of a shared station killed with SIGKILL at random moments while
// the others store: once all have run to the end, every log holds each QSO
// that any computer stored, once, and nothing else.

#include "files.h"
#include "log_line.h"
#include "mosquitto_broker.h"

#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace qz::test {
namespace {

// A computer of the station as a process of its own.
class Driver {
public:
    Driver(const MosquittoBroker& broker, std::string name) : broker_(broker), name_(std::move(name))
    {
        folder_.write("QZ5KV_stationbook.ini", "QZ1ABC,A\r\n");
    }
    ~Driver() { kill(); }

    void start(int first, int count, int interval)
    {
        process_.start(QStringLiteral(QZ_SHARE_DRIVER),
                       {QString::fromStdString(folder_.path().string()), QString::number(broker_.port()),
                        QString::fromStdString(name_), QString::number(first), QString::number(count),
                        QString::number(interval)});
        ASSERT_TRUE(process_.waitForStarted());
    }
    void kill()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
        process_.waitForFinished();
        takeOutput();
    }
    // What it said it stored, read as far as it has said it.
    const std::set<std::string>& stored()
    {
        takeOutput();
        return stored_;
    }
    bool done()
    {
        takeOutput();
        return done_;
    }
    std::multiset<std::string> calls() const
    {
        std::multiset<std::string> calls;
        for (const std::string& line : files::splitLines(folder_.read("IARU_log.zrv")))
            if (!line.empty())
                calls.insert(callOf(line));
        return calls;
    }

private:
    void takeOutput()
    {
        while (process_.canReadLine()) {
            const std::string line = process_.readLine().trimmed().toStdString();
            if (line.starts_with("stored "))
                stored_.insert(line.substr(7));
            done_ = done_ || line == "done";
        }
    }

    const MosquittoBroker& broker_;
    std::string name_;
    TempFolder folder_;
    QProcess process_;
    std::set<std::string> stored_;
    bool done_ = false;
};

TEST(SharingKills, EveryStoredQsoEndsInEveryLogOnceWhateverMomentAComputerIsKilled)
{
    if (!MosquittoBroker::installed())
        GTEST_SKIP() << "mosquitto is missing: install it (scripts/install-deps.sh)";
    MosquittoBroker broker;
    ASSERT_TRUE(broker.start());
    Driver a(broker, "A"), b(broker, "B"), victim(broker, "C");
    a.start(1000, 60, 40);
    b.start(2000, 60, 40);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> moment(50, 400);
    constexpr int kKills = 8;
    for (int run = 0; run < kKills; ++run) {
        victim.start(3000 + 100 * run, 100, 10);
        QTest::qWait(moment(random));
        victim.kill();
    }
    victim.start(3000 + 100 * kKills, 20, 10);
    ASSERT_TRUE(eventually([&] { return a.done() && b.done() && victim.done(); }, 30000));

    // The union: what each said it stored, and what a killed run stored
    // without living to say so.
    std::set<std::string> all;
    for (Driver* driver : {&a, &b, &victim})
        all.insert(driver->stored().begin(), driver->stored().end());
    for (const std::string& call : victim.calls())
        all.insert(call);
    const std::multiset<std::string> expected(all.begin(), all.end());
    const bool agreed =
        eventually([&] { return a.calls() == expected && b.calls() == expected && victim.calls() == expected; }, 30000);
    EXPECT_TRUE(agreed) << "expected " << expected.size() << ", A " << a.calls().size() << ", B " << b.calls().size()
                        << ", C " << victim.calls().size();
}

}  // namespace
}  // namespace qz::test
