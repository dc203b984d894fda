// A correction or deletion on a full contest log: the whole-file rewrite
// followed by the view reload that rebuilds the operator's list from the file.

#include "large_log.h"
#include "log_corrections.h"
#include "log_line.h"
#include "log_list_box.h"
#include "station.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>

namespace qz::bench {
namespace {

const std::string kOperator = "QZ1AAA";

// The logbook rewrites the file and reads the operator's view again.
void BM_CorrectionAndReload(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    ui::Logbook logbook(folder.path());
    logbook.load();
    // Flip one QSO's call back and forth, so that every round finds its line.
    std::string selected(logbook.view().lines().at(500));
    for (auto _ : state) {
        const std::string call = callOf(selected) == "SP9ZZZ" ? "SP8ZZZ" : "SP9ZZZ";
        selected = logbook
                       .correct(selected,
                                [&](const std::string& line) {
                                    return withTypedField(line, TypedField::Call,
                                                          judgeEntry(TypedField::Call, "", call).columns);
                                })
                       .value();
    }
}
BENCHMARK(BM_CorrectionAndReload)->Unit(benchmark::kMillisecond);

void BM_DeletionAndReload(benchmark::State& state)
{
    const BenchFolder folder;
    writeLargeStation(folder.path());
    ui::Logbook logbook(folder.path());
    logbook.load();
    for (auto _ : state) {
        logbook.remove(std::string(logbook.view().lines().at(0)), 0);
        // A deletion leaves the view; the next command reads it again.
        logbook.reload();
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
    std::optional<QString> openFileName(const QString&) override { return std::nullopt; }
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
    station.form1.findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    auto* list = station.form1.findChild<ui::LogListBox*>(QStringLiteral("ListBox1"));
    auto* command = station.form1.findChild<QAction*>(QStringLiteral("Zmieznakkorespondenta1"));
    list->selectRow(500);
    for (auto _ : state) {
        command->trigger();
        if (!platform.error.isEmpty() || list->selectedRow() < 0) {
            state.SkipWithError("the correction did not go through");
            break;
        }
    }
}
BENCHMARK(BM_CorrectionInTheWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qz::bench
