// Works a station folder the way the program does, through the same core
// calls, until it is killed: stores QSOs, corrects and deletes them, saves the
// operators and starts new logs. Each operation is announced before it starts
// and confirmed on standard output once it has returned (crash_protocol.h),
// so the harness knows what must have survived the kill.
//
//   crash_driver <station folder> <run number> <seed> [operations]
//
// Without an operation count it never stops by itself.

#include "crash_protocol.h"
#include "errors.h"
#include "log_corrections.h"
#include "log_file.h"
#include "operator_book.h"
#include "station_lock.h"
#include "text.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace qz::crash {
namespace {

// Written and flushed at once: what is in the pipe survives the kill.
void report(const std::string& event)
{
    std::fputs((event + "\n").c_str(), stdout);
    std::fflush(stdout);
}

class Driver {
public:
    Driver(std::filesystem::path folder, int run, unsigned seed)
        : folder_(std::move(folder)), log_(folder_), run_(run), random_(seed)
    {
    }

    void step()
    {
        const int pick = std::uniform_int_distribution<int>(0, 99)(random_);
        if (pick < 40)
            store(kKeeperMark, "a");
        else if (pick < 52)
            store(kScratchMark, "s");
        else if (pick < 72)
            correctExchange();
        else if (pick < 84)
            deleteScratch();
        else if (pick < 94)
            saveOperators();
        else
            startNewLog();
    }

private:
    // As the store button does: compose the line, append it, then tell.
    void store(char mark, const std::string& event)
    {
        const std::vector<std::string> operators = readOperatorCallsigns(folder_);
        const std::string op = operators.empty() ? "QZ1AA" : operators[below(operators.size())];
        const std::string call = qsoCall(mark, run_, number_++);
        report(event + " " + call);
        log_.append(qsoLine(op, call, static_cast<int>(below(std::size_t{24} * 60))));
        report(asciiUpper(event) + " " + call);
    }

    // As a correction typed into the entry box: the received exchange.
    void correctExchange()
    {
        const auto line = pickLine(kKeeperMark);
        if (!line)
            return;
        const std::string exchange = "E" + std::to_string(10000 + below(90000));
        const EntryJudgement judged =
            judgeEntry(TypedField::ReceivedExchange, currentValue(TypedField::ReceivedExchange, *line), exchange);
        if (judged.verdict != EntryVerdict::Change)
            return;
        const std::string call = callOf(*line);
        report("c " + call + " " + exchange);
        log_.rewrite(*line, [&](const std::string& stored) {
            return withTypedField(stored, TypedField::ReceivedExchange, judged.columns);
        });
        report("C " + call + " " + exchange);
    }

    void deleteScratch()
    {
        const auto line = pickLine(kScratchMark);
        if (!line)
            return;
        const std::string call = callOf(*line);
        report("d " + call);
        log_.removeLine(*line, 0);
        report("D " + call);
    }

    // As the operator editor saves: the whole list, sorted, in one write.
    void saveOperators()
    {
        const auto records = readOperatorRecords(folder_);
        const int generation = records && !records->empty() ? generationOf(records->front()) + 1 : 0;
        const OperatorList list(operatorRecords(generation));
        report("o " + std::to_string(generation));
        writeOperatorRecords(folder_, list.records());
        report("O " + std::to_string(generation));
    }

    // As the new-log button does once the archive name is chosen.
    void startNewLog()
    {
        const std::string name = archiveName(run_, archives_++);
        report("n " + name);
        log_.archiveTo(folder_ / name);
        log_.startAfresh();
        report("N " + name);
    }

    // A line of the log read as the view reload reads it, by the mark of its call.
    std::optional<std::string> pickLine(char mark)
    {
        std::vector<std::string> candidates;
        for (std::string& line : log_.readLines())
            if (callOf(line).starts_with(mark))
                candidates.push_back(std::move(line));
        if (candidates.empty())
            return std::nullopt;
        return candidates[below(candidates.size())];
    }

    static int generationOf(const std::string& record)
    {
        const std::string remarks = splitRecord(record)[kRemarks];
        return toInt(remarks.substr(remarks.find(' ') + 1));
    }

    std::size_t below(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

    std::filesystem::path folder_;
    LogFile log_;
    int run_;
    std::mt19937 random_;
    int number_ = 0;
    int archives_ = 0;
};

}  // namespace
}  // namespace qz::crash

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: crash_driver <station folder> <run number> <seed> [operations]\n", stderr);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        // The lock of a killed run must never keep the next one out.
        const auto lock = qz::StationLock::acquire(folder);
        if (!lock) {
            std::fputs("station folder locked\n", stderr);
            return 3;
        }
        qz::LogFile(folder).createIfMissing();
        qz::crash::report("r");
        qz::crash::Driver driver(folder, qz::toInt(argv[2]), static_cast<unsigned>(qz::toInt(argv[3])));
        const int operations = argc > 4 ? qz::toInt(argv[4]) : -1;
        for (int done = 0; operations < 0 || done < operations; ++done)
            driver.step();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "crash_driver: %s\n", error.what());
        return 1;
    }
    return 0;
}
