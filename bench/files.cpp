// Opening and saving a full site: a 99,998-point coordinate file (about 12 MB) read into the list and
// written back, and a 99,998-point SIMA file read.  The goal is to stay within five times the time the
// system's iconv needs to convert the same file from CP932 to UTF-8; the files are left in
// $TMPDIR/vemo-bench-files so that `time iconv -f CP932 -t UTF-8 <file> >/dev/null` can be run on them,
// and BM_IconvLibrary gives the in-process figure for the same bytes.
#include "core/files/Exchange.h"
#include "core/files/ExportPoints.h"
#include "core/files/FileIo.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iconv.h>

namespace {

namespace fs = std::filesystem;
using vemo::XyzList;

fs::path BenchFolder() {
    fs::path folder = fs::temp_directory_path() / "vemo-bench-files";
    fs::create_directories(folder);
    return folder;
}

// A full list as a site would have it: Japanese names for part of it, point types and remarks.
const XyzList& FullList() {
    static const XyzList list = [] {
        std::vector<vemo::XyzRow> rows;
        std::string kui = vemo::Jp("金属鋲");
        std::string name = vemo::Jp("基");
        for (int i = 0; i < vemo::kMaxPointRows; ++i) {
            std::string n = (i % 3 == 0 ? name : "P") + std::to_string(i + 1);
            rows.push_back({"", n, vemo::Format3(-12345.678 + i * 0.731), vemo::Format3(54321.123 - i * 0.417),
                            vemo::Format3(12.345 + i % 100), i % 2 ? kui : "", i % 5 ? "" : "R" + std::to_string(i)});
        }
        XyzList l;
        l.ReplaceAll(std::move(rows));
        return l;
    }();
    return list;
}

const fs::path& XyzPath() {
    static const fs::path path = [] {
        fs::path p = BenchFolder() / "full.Xyz";
        vemo::WriteXyzFile(p, FullList());
        return p;
    }();
    return path;
}

const fs::path& SimaPath() {
    static const fs::path path = [] {
        fs::path p = BenchFolder() / "full.SIM";
        vemo::WriteSimaFile(p, {"Bench", "full", ""}, vemo::PointsFromList(FullList()));
        return p;
    }();
    return path;
}

void BM_ReadXyzFile(benchmark::State& state) {
    const fs::path& path = XyzPath();
    for (auto _ : state) {
        XyzList list;
        vemo::ReadXyzFile(path, list);
        benchmark::DoNotOptimize(list.RowCount());
    }
    state.SetBytesProcessed(state.iterations() * fs::file_size(path));
}
BENCHMARK(BM_ReadXyzFile)->Unit(benchmark::kMillisecond);

// Includes the flush to disk that makes the save safe.
void BM_WriteXyzFile(benchmark::State& state) {
    const XyzList& list = FullList();
    fs::path path = BenchFolder() / "written.Xyz";
    for (auto _ : state) {
        vemo::WriteXyzFile(path, list, true);
    }
    state.SetBytesProcessed(state.iterations() * fs::file_size(path));
}
BENCHMARK(BM_WriteXyzFile)->Unit(benchmark::kMillisecond);

// Reading SIMA as the open command does: parse, then load the points into the list.
void BM_ReadSimaFile(benchmark::State& state) {
    const fs::path& path = SimaPath();
    for (auto _ : state) {
        vemo::ForeignData data = vemo::ReadSimaFile(path);
        XyzList list;
        vemo::LoadXyzRows(list, std::move(data.rows), vemo::XyzReadMode::Replace);
        benchmark::DoNotOptimize(list.RowCount());
    }
    state.SetBytesProcessed(state.iterations() * fs::file_size(path));
}
BENCHMARK(BM_ReadSimaFile)->Unit(benchmark::kMillisecond);

// The yardstick: CP932 to UTF-8 of the same file with iconv(3), file reading included.
void IconvFile(benchmark::State& state, const fs::path& path) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    for (auto _ : state) {
        std::string in = *vemo::ReadWholeFile(path);
        std::string out(in.size() * 2, '\0');
        char* src = in.data();
        size_t srcLeft = in.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        benchmark::DoNotOptimize(dstLeft);
    }
    iconv_close(cd);
    state.SetBytesProcessed(state.iterations() * fs::file_size(path));
}
void BM_IconvLibraryXyz(benchmark::State& state) {
    IconvFile(state, XyzPath());
}
void BM_IconvLibrarySima(benchmark::State& state) {
    IconvFile(state, SimaPath());
}
BENCHMARK(BM_IconvLibraryXyz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvLibrarySima)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
