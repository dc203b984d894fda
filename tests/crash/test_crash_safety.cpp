// Kills the crash driver at random moments, hundreds of times, and checks the
// station folder after every kill: what was confirmed is there exactly once,
// nothing is half written, and what a killed run left behind does not trouble
// the next one.

#include "crash_protocol.h"
#include "errors.h"
#include "files.h"
#include "log_corrections.h"
#include "log_file.h"
#include "log_line.h"
#include "operator_book.h"
#include "temp_folder.h"
#include "text.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <optional>
#include <poll.h>
#include <random>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace qz::crash {
namespace {

using Clock = std::chrono::steady_clock;
using Qsos = std::map<std::string, std::string>;  // call -> received exchange

// What the folder holds, as far as the driver's work goes.
struct Station {
    Qsos log;
    std::map<std::string, Qsos> archives;
    int generation = 0;
    bool operator==(const Station&) const = default;
};

std::string describe(const Station& station)
{
    std::ostringstream text;
    text << "generation " << station.generation << ", log:";
    for (const auto& [call, exchange] : station.log)
        text << ' ' << call << '=' << exchange;
    for (const auto& [name, qsos] : station.archives)
        text << ", " << name << " with " << qsos.size() << " QSOs";
    return text.str();
}

// ---- reading the folder -------------------------------------------------

// The line the driver writes for this call, operator, time and exchange; a
// line that differs from it in any byte was not written whole.
bool isDriverLine(const std::string& line)
{
    const std::string op = operatorOf(line);
    const std::string call = callOf(line);
    const std::string exchange = receivedExchangeOf(line);
    if (!op.starts_with("QZ1A") || op.size() != 5 || call.size() < 4 ||
        (call[0] != kKeeperMark && call[0] != kScratchMark))
        return false;
    try {
        const std::string time = timeOf(line);
        const int minute = toInt(columns(time, 1, 2)) * 60 + toInt(columns(time, 3, 4));
        std::string expected = qsoLine(op, call, minute);
        if (exchange != kFirstExchange)
            expected = withTypedField(expected, TypedField::ReceivedExchange,
                                      judgeEntry(TypedField::ReceivedExchange, kFirstExchange, exchange).columns);
        return line == expected;
    } catch (const ConvertError&) {
        return false;
    }
}

// The QSOs of a file in the log's format. `problem` is set when a line is
// not a complete driver line, the last line end is missing or a QSO is there
// twice. An archive of an empty log holds one empty line, so an archive of
// zero bytes was cut short; the backup is the log byte for byte.
Qsos readQsoFile(const std::filesystem::path& path, bool copy, std::string& problem)
{
    Qsos qsos;
    const std::string content = files::readAll(path);
    if (copy && content.empty())
        problem += path.filename().string() + ": empty\n";
    if (content.empty() || (copy && content == "\r\n"))
        return qsos;
    if (!content.ends_with("\r\n"))
        problem += path.filename().string() + ": last line cut short\n";
    for (const std::string& line : files::splitLines(content)) {
        if (!isDriverLine(line))
            problem += path.filename().string() + ": not a complete QSO line: [" + line + "]\n";
        else if (!qsos.emplace(callOf(line), receivedExchangeOf(line)).second)
            problem += path.filename().string() + ": " + callOf(line) + " is there twice\n";
    }
    return qsos;
}

// The generation whose records the settings file holds, byte for byte.
int readGeneration(const std::filesystem::path& folder, std::string& problem)
{
    const std::string content = files::readAll(operatorFilePath(folder));
    const auto records = files::splitLines(content);
    const std::string remarks = splitRecord(records.front())[kRemarks];
    try {
        const int generation = toInt(remarks.substr(remarks.find(' ') + 1));
        if (content == files::joinLines(operatorRecords(generation)))
            return generation;
    } catch (const ConvertError&) {
    }
    problem += "settings file is not one whole generation: [" + content + "]\n";
    return -1;
}

Station observe(const std::filesystem::path& folder, const std::set<std::string>& archiveNames, std::string& problem)
{
    Station station;
    const LogFile log(folder);
    if (!log.exists())
        problem += "the log is missing\n";
    else
        station.log = readQsoFile(log.path(), false, problem);
    if (!files::isFile(operatorFilePath(folder)))
        problem += "the settings file is missing\n";
    else
        station.generation = readGeneration(folder, problem);
    for (const std::string& name : archiveNames)
        if (files::isFile(folder / name))
            station.archives[name] = readQsoFile(folder / name, true, problem);
    if (files::isFile(log.backupPath()))
        readQsoFile(log.backupPath(), false, problem);
    return station;
}

// Files a killed run may leave behind: scratch copies that were never renamed.
bool isLeftover(const std::filesystem::path& path)
{
    return path.filename() == "temporary.zrv" || path.extension() == ".new";
}

// A well-formed QSO nobody confirmed, cut short: if it ever shows up in the
// log, a scratch copy was taken for the real file.
const std::string kPlantedQsos =
    qsoLine("QZ1AA", "K99999X1", 0) + "\r\n" + qsoLine("QZ1AA", "K99999X2", 0).substr(0, 40);
const std::string kPlantedRecords = "QZ9ZZZ,stranger\r\nQZ9";

using Leftovers = std::map<std::string, std::string>;  // name -> content

Leftovers leftoversIn(const std::filesystem::path& folder)
{
    Leftovers found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (isLeftover(entry.path()))
            found[entry.path().filename().string()] = files::readAll(entry.path());
    return found;
}

// ---- what a run said ----------------------------------------------------

struct Event {
    char kind;
    std::string subject;  // call, generation or archive name
    std::string value;    // the exchange of a correction
};

std::vector<Event> eventsOf(const std::string& output)
{
    std::vector<Event> events;
    std::size_t start = 0;
    // A last line without its end was cut by the kill and confirms nothing.
    for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        std::istringstream line(output.substr(start, end - start));
        Event event{};
        line >> event.kind >> event.subject >> event.value;
        events.push_back(event);
    }
    return events;
}

// Applies a confirmed operation to the expected state.
void apply(Station& station, const Event& event)
{
    switch (event.kind) {
    case 'A':
    case 'S': station.log[event.subject] = kFirstExchange; break;
    case 'C': station.log.at(event.subject) = event.value; break;
    case 'D': station.log.erase(event.subject); break;
    case 'O': station.generation = toInt(event.subject); break;
    case 'N':
        station.archives[event.subject] = station.log;
        station.log.clear();
        break;
    default: break;
    }
}

// Every state the folder may be in when `pending` was under way at the kill.
std::vector<Station> possibleStates(const Station& before, const std::optional<Event>& pending)
{
    if (!pending)
        return {before};
    Station done = before;
    apply(done, {static_cast<char>(std::toupper(pending->kind)), pending->subject, pending->value});
    if (pending->kind != 'n')
        return {before, done};
    // A new log copies first and empties the log after.
    Station copied = before;
    copied.archives[pending->subject] = before.log;
    return {before, copied, done};
}

// ---- running the driver -------------------------------------------------

struct DriverRun {
    std::string output;
    bool killed = false;
    int status = 0;
};

// Starts the driver and kills it after `life`, or lets it end when it is
// given an operation count.
DriverRun runDriver(const std::filesystem::path& folder, int run, std::mt19937::result_type seed,
                    std::chrono::microseconds life, std::optional<int> operations = std::nullopt)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe");
    const std::string runText = std::to_string(run);
    const std::string seedText = std::to_string(seed % 1000000000u);
    const std::string operationsText = operations ? std::to_string(*operations) : std::string();
    const Clock::time_point started = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipe[1], STDOUT_FILENO);
        ::execl(QZ_CRASH_DRIVER, QZ_CRASH_DRIVER, folder.c_str(), runText.c_str(), seedText.c_str(),
                operations ? operationsText.c_str() : nullptr, nullptr);
        ::_exit(127);
    }
    ::close(pipe[1]);
    DriverRun result;
    const Clock::time_point deadline = started + life;
    bool open = true;
    bool signalled = false;
    char buffer[4096];
    while (open) {
        if (!operations && !signalled) {
            const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
            timespec wait{0, 0};
            if (left.count() > 0)
                wait = {static_cast<time_t>(left.count() / 1000000000), static_cast<long>(left.count() % 1000000000)};
            pollfd poll{pipe[0], POLLIN, 0};
            if (left.count() <= 0 || ::ppoll(&poll, 1, &wait, nullptr) == 0) {
                ::kill(pid, SIGKILL);
                signalled = true;
                continue;
            }
        }
        const auto n = ::read(pipe[0], buffer, sizeof buffer);
        if (n > 0)
            result.output.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            open = false;
    }
    ::close(pipe[0]);
    ::waitpid(pid, &result.status, 0);
    result.killed = WIFSIGNALED(result.status) && WTERMSIG(result.status) == SIGKILL;
    return result;
}

// ---- the harness --------------------------------------------------------

class CrashHarness {
public:
    explicit CrashHarness(std::filesystem::path folder) : folder_(std::move(folder))
    {
        writeOperatorRecords(folder_, operatorRecords(0));
        LogFile(folder_).createIfMissing();
    }

    void plantLeftovers()
    {
        const auto plant = [&](const char* name, const std::string& content) {
            std::ofstream(folder_ / name, std::ios::binary) << content;
        };
        for (const char* name : {"temporary.zrv", "IARU_log.zrv.new", "IARU_log.zr~.new"})
            plant(name, kPlantedQsos);
        plant("QZ5KV_stationbook.ini.new", kPlantedRecords);
        leftovers_ = leftoversIn(folder_);
    }

    // Applies what the run confirmed and checks the folder against it; the
    // operation under way at the kill may have happened or not, but whole.
    ::testing::AssertionResult check(const DriverRun& run)
    {
        std::optional<Event> pending;
        for (const Event& event : eventsOf(run.output)) {
            if (std::islower(static_cast<unsigned char>(event.kind)) && event.kind != 'r') {
                pending = event;
                continue;
            }
            if (event.kind == 'r') {
                ++started;
                continue;
            }
            if (!pending || std::toupper(pending->kind) != event.kind || pending->subject != event.subject)
                return ::testing::AssertionFailure() << "confirmation without its announcement: " << event.kind;
            apply(expected_, event);
            ++confirmed;
            pending.reset();
        }
        if (pending)
            ++interrupted[pending->kind];

        std::set<std::string> names;
        for (const auto& [name, qsos] : expected_.archives)
            names.insert(name);
        if (pending && pending->kind == 'n')
            names.insert(pending->subject);
        std::string problem;
        const Station found = observe(folder_, names, problem);
        const Leftovers leftovers = leftoversIn(folder_);
        leftoversLeft += std::any_of(leftovers.begin(), leftovers.end(), [&](const auto& file) {
            const auto before = leftovers_.find(file.first);
            return before == leftovers_.end() || before->second != file.second;
        });
        leftovers_ = leftovers;
        const std::vector<Station> possible = possibleStates(expected_, pending);
        if (problem.empty() && std::find(possible.begin(), possible.end(), found) == possible.end())
            problem = "expected " + describe(possible.front()) + "\nfound    " + describe(found) + "\n";
        if (!problem.empty())
            return ::testing::AssertionFailure() << problem << "run said:\n" << run.output;
        expected_ = found;
        return ::testing::AssertionSuccess();
    }

    const Station& expected() const { return expected_; }

    int started = 0;
    int confirmed = 0;
    int leftoversLeft = 0;  // kills after which a scratch file of the killed run lay there
    std::map<char, int> interrupted;

private:
    std::filesystem::path folder_;
    Station expected_;
    Leftovers leftovers_;
};

TEST(CrashSafety, EveryConfirmedOperationSurvivesHundredsOfKills)
{
    constexpr int kKills = 400;
    constexpr auto kLongestLife = std::chrono::microseconds(80000);
    constexpr auto kTimeBudget = std::chrono::seconds(45);
    const test::TempFolder folder;
    CrashHarness harness(folder.path());
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    const Clock::time_point begin = Clock::now();
    int kills = 0;
    for (int run = 1; kills < kKills && Clock::now() - begin < kTimeBudget; ++run) {
        if (run % 5 == 0)
            harness.plantLeftovers();
        const auto life =
            std::chrono::microseconds(std::uniform_int_distribution<long>(0, kLongestLife.count())(random));
        const DriverRun result = runDriver(folder.path(), run, random(), life);
        ASSERT_TRUE(result.killed) << "the driver ended by itself with status " << result.status << "\n"
                                   << result.output;
        ++kills;
        ASSERT_TRUE(harness.check(result)) << "after kill " << kills << " at " << life.count() << " us";
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();

    int killedMidway = 0;
    std::ostringstream midway;
    for (const auto& [kind, count] : harness.interrupted) {
        killedMidway += count;
        midway << ' ' << kind << '=' << count;
    }
    std::cout << "[ crash    ] survived " << kills << " kills in " << seconds << " s; " << harness.confirmed
              << " operations confirmed, " << killedMidway << " kills in the middle of one (" << midway.str()
              << " ), a scratch file left behind by " << harness.leftoversLeft << " kills\n";
    ::testing::Test::RecordProperty("kills", kills);

    // The kills must really land inside the work, not only between runs.
    EXPECT_GE(kills, 200);
    EXPECT_GE(harness.started, kills / 2);
    EXPECT_GE(harness.confirmed, kills / 4);
    EXPECT_GE(killedMidway, kills / 4);
    EXPECT_GE(harness.interrupted['a'] + harness.interrupted['s'], 1);
    EXPECT_GE(harness.interrupted['c'] + harness.interrupted['d'], 1);
}

TEST(CrashSafety, ARunAfterKillsWorksBesideWhatTheyLeftBehind)
{
    const test::TempFolder folder;
    CrashHarness harness(folder.path());
    std::mt19937 random(12345);
    for (int run = 1; run <= 20; ++run) {
        const DriverRun killed = runDriver(folder.path(), run, random(), std::chrono::microseconds(5000 + 1000 * run));
        ASSERT_TRUE(harness.check(killed));
    }
    harness.plantLeftovers();
    const DriverRun finished = runDriver(folder.path(), 21, random(), {}, 60);
    ASSERT_TRUE(WIFEXITED(finished.status) && WEXITSTATUS(finished.status) == 0) << finished.output;
    ASSERT_TRUE(harness.check(finished));

    // The core calls themselves, with the scratch files still lying there.
    harness.plantLeftovers();
    const LogFile log(folder.path());
    const std::string line = qsoLine("QZ1AA", "K0X0", 600);
    log.append(line);
    const std::vector<std::string> lines = log.readLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1);
    EXPECT_EQ(lines.size(), harness.expected().log.size() + 1);
    EXPECT_EQ(operatorLines({lines.begin(), lines.end()}, "QZ1AA").size(),
              static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(),
                                                     [](const std::string& l) { return operatorOf(l) == "QZ1AA"; })));
    log.rewrite(line, [](const std::string&) { return std::nullopt; });
    EXPECT_TRUE(harness.check(DriverRun{}));
    const auto records = readOperatorRecords(folder.path());
    ASSERT_TRUE(records);
    EXPECT_EQ(*records, operatorRecords(harness.expected().generation));
}

}  // namespace
}  // namespace qz::crash
