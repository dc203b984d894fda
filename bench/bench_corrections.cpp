// A correction or deletion on a full contest log: the whole-file rewrite
// followed by the view reload that rebuilds the operator's list from the file.

#include "large_log.h"
#include "log_corrections.h"
#include "log_file.h"
#include "log_line.h"
#include "log_snapshot.h"
#include "station.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>

namespace qz::bench {
namespace {

const std::string kOperator = "QZ1AAA";

void BM_CorrectionAndReload(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    const LogFile log(folder.path());
    // Flip one QSO's call back and forth, so that every round finds its line.
    std::string selected(operatorLines(log.snapshot()->lines(), kOperator).at(500));
    for (auto _ : state) {
        const std::string call = callOf(selected) == "SP9ZZZ" ? "SP8ZZZ" : "SP9ZZZ";
        const auto changed = log.rewrite(selected, [&](const std::string& line) {
            return std::optional(
                withTypedField(line, TypedField::Call, judgeEntry(TypedField::Call, "", call).columns));
        });
        const auto snapshot = log.snapshot();
        const OperatorView view = operatorView(snapshot->lines(), kOperator);
        benchmark::DoNotOptimize(view.lines.data());
        selected = changed.value();
    }
}
BENCHMARK(BM_CorrectionAndReload)->Unit(benchmark::kMillisecond);

void BM_DeletionAndReload(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    const LogFile log(folder.path());
    const auto original = log.snapshot();
    const std::vector<std::string_view> victims = operatorLines(original->lines(), kOperator);
    std::size_t next = 0;
    for (auto _ : state) {
        log.rewrite(std::string(victims.at(next++ % victims.size())),
                    [](const std::string&) { return std::optional<std::string>(); });
        const auto snapshot = log.snapshot();
        const OperatorView view = operatorView(snapshot->lines(), kOperator);
        benchmark::DoNotOptimize(view.lines.data());
    }
}
BENCHMARK(BM_DeletionAndReload)->Unit(benchmark::kMillisecond);

// Answers every entry box with the next call and every question with Yes;
// an error box ends the benchmark.
class ScriptedPlatform final : public ui::Platform {
public:
    ui::BoxAnswer messageBox(const QString&, const QString& text, ui::BoxIcon icon, ui::BoxButtons) override
    {
        if (icon == ui::BoxIcon::Error)
            error = text;
        return ui::BoxAnswer::Yes;
    }
    QString inputBox(const QString&, const QString&, const QString& value) override
    {
        return value == QStringLiteral("SP9ZZZ") ? QStringLiteral("SP8ZZZ") : QStringLiteral("SP9ZZZ");
    }
    std::optional<QString> saveFileName(const QString&, const QString&) override { return std::nullopt; }
    void beep() override {}

    QString error;
};

void ensureApplication()
{
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qz_bench";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

// The whole command as the user runs it: menu action, entry box, rewrite,
// reload of the list and the new selection.
void BM_CorrectionInTheWindow(benchmark::State& state)
{
    ensureApplication();
    const BenchFolder folder;
    writeLargeStation(folder.path());
    ScriptedPlatform platform;
    ui::Station station(ui::StationContext{folder.path(), platform, [] { return std::chrono::system_clock::now(); }});
    station.start();
    ui::TForm1& window = station.form1;
    window.Timer1->stop();
    window.ListBox1->selectRow(500);
    for (auto _ : state) {
        window.Zmieznakkorespondenta1->trigger();
        if (!platform.error.isEmpty() || window.ListBox1->selectedRow() < 0) {
            state.SkipWithError("the correction did not go through");
            break;
        }
    }
}
BENCHMARK(BM_CorrectionInTheWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
