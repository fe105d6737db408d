// The auto-save of a full site (99,998 points, 1,000 parcels): what it takes from the user-interface
// thread (the copy of the lists) and what runs beside it (formatting and the safe write), and whether
// the coordinate grid still takes keys promptly while a write runs.
#include "core/files/AutoSave.h"
#include "core/store/BlockList.h"
#include "core/store/XyzList.h"
#include "core/text/Numbers.h"
#include "ui/grid/XyzStrGrid.h"
#include "ui/tree/AutoSaver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include <unistd.h>

namespace vemo {
namespace {
namespace fs = std::filesystem;

constexpr int kPoints = 99998;
constexpr int kParcels = 1000;

// Points T1 .. T99998 around a public coordinate origin; parcels of eight vertices each.
struct Site {
    Site() {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> offset(0, 2000);
        std::vector<XyzRow> rows(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            rows[i] = {"",
                       "T" + std::to_string(i + 1),
                       Format3(-12000 + offset(random)),
                       Format3(30000 + offset(random)),
                       "12.345",
                       "",
                       ""};
        }
        list.ReplaceAll(std::move(rows));
        std::vector<Block> parcels;
        for (int p = 0; p < kParcels; ++p) {
            std::string vertices;
            for (int v = 0; v < 8; ++v) {
                vertices += "T" + std::to_string(p * 8 + v + 1) + ",";
            }
            vertices += "T" + std::to_string(p * 8 + 1);
            parcels.push_back(Block{"B" + std::to_string(p + 1), vertices, 10, 0, 0});
        }
        blocks.ReplaceAll(std::move(parcels));
        folder = fs::temp_directory_path() / ("vemo-bench-autosave-" + std::to_string(getpid()));
        fs::create_directories(folder);
    }
    ~Site() { fs::remove_all(folder); }
    XyzList list;
    BlockList blocks;
    fs::path folder;
};

Site& TheSite() {
    static Site site;
    return site;
}

// The part on the user-interface thread.
void BM_AutoSaveSnapshot(benchmark::State& state) {
    Site& site = TheSite();
    for (auto _ : state) {
        AutoSaveSnapshot snapshot = TakeAutoSaveSnapshot(site.list, site.blocks, {});
        benchmark::DoNotOptimize(snapshot.rows.data());
    }
}
BENCHMARK(BM_AutoSaveSnapshot)->Unit(benchmark::kMillisecond);

// The part beside it: formatting both files and replacing them safely (synced to the disk).
void BM_AutoSaveFormatAndWrite(benchmark::State& state) {
    Site& site = TheSite();
    const AutoSaveSnapshot snapshot = TakeAutoSaveSnapshot(site.list, site.blocks, {});
    for (auto _ : state) {
        WriteAutoSave(site.folder, snapshot);
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(site.folder / "Auto.Xyz")) / 1e6;
}
BENCHMARK(BM_AutoSaveFormatAndWrite)->Unit(benchmark::kMillisecond);

// Keys to the grid while one auto-save runs: `blocked_ms` is the longest the user-interface thread
// was held, from starting the write (the copy) to each key handled; `keys` how many went through
// while the write ran, `write_ms` how long the write took.
void BM_TypingWhileAutoSaving(benchmark::State& state) {
    Site& site = TheSite();
    XyzStrGrid grid(site.list);
    grid.resize(800, 600);
    grid.show();
    QApplication::processEvents();
    AutoSaver saver([&site] { return TakeAutoSaveSnapshot(site.list, site.blocks, {}); },
                    [&site] { return site.folder; });
    double blocked = 0;
    double keys = 0;
    double writeMs = 0;
    for (auto _ : state) {
        QElapsedTimer write;
        write.start();
        QElapsedTimer held;
        held.start();
        saver.writeNow();
        blocked = std::max(blocked, static_cast<double>(held.nsecsElapsed()) / 1e6);
        int key = 0;
        while (saver.isWriting()) {
            held.restart();
            const Qt::Key k = (key++ % 2 == 0) ? Qt::Key_Down : Qt::Key_Up;
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
            QApplication::sendEvent(&grid, &press);
            QApplication::sendEvent(&grid, &release);
            QApplication::processEvents();
            blocked = std::max(blocked, static_cast<double>(held.nsecsElapsed()) / 1e6);
        }
        writeMs = static_cast<double>(write.nsecsElapsed()) / 1e6;
        keys = key;
    }
    state.counters["blocked_ms"] = blocked;
    state.counters["keys"] = keys;
    state.counters["write_ms"] = writeMs;
}
BENCHMARK(BM_TypingWhileAutoSaving)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace vemo

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
