// Reading a city's registry map data: a 100 MB 地図XML made by repeating a published map (Shibuya,
// 任意座標系, tests/data/registrymap/13113-0110-1.zip) with new ids.  The goal is under 3 s for the read,
// with the memory it keeps under four times the size of the file's point definitions.  The file is left
// in $TMPDIR/vemo-bench-registrymap/city.xml so that `time xmllint --stream --noout city.xml` gives the
// floor of a streaming parser over the same bytes.
#include "core/files/RegistryMapFiles.h"
#include "core/files/RegistryMapParser.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <zip.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTargetBytes = 100u << 20;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The published map's XML, out of the archive it is kept in.
std::string PublishedMapText() {
    const fs::path source = fs::path(VEMO_BENCH_DATA_DIR) / "registrymap" / "13113-0110-1.zip";
    int error = 0;
    zip_t* archive = zip_open(source.c_str(), ZIP_RDONLY, &error);
    zip_stat_t stat;
    zip_stat_index(archive, 0, 0, &stat);
    std::string text(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, 0, 0);
    zip_fread(file, text.data(), text.size());
    zip_fclose(file);
    zip_close(archive);
    return text;
}

struct CityFile {
    fs::path path;
    std::size_t bytes = 0;
    std::size_t pointBytes = 0; // the GM_Point elements' share of the file
};

const CityFile& City() {
    static const CityFile city = [] {
        const std::string text = PublishedMapText();
        const std::size_t spaceStart = text.find("<空間属性>") + std::string("<空間属性>").size();
        const std::size_t spaceEnd = text.find("</空間属性>");
        const std::size_t subjectStart = text.find("<主題属性>") + std::string("<主題属性>").size();
        const std::size_t subjectEnd = text.find("</主題属性>");
        const std::string space = text.substr(spaceStart, spaceEnd - spaceStart);
        const std::string subject = text.substr(subjectStart, subjectEnd - subjectStart);
        const std::size_t copies = kTargetBytes / (space.size() + subject.size()) + 1;
        std::string spaces;
        std::string subjects;
        for (std::size_t k = 0; k < copies; ++k) {
            std::string copy = space + "\n";
            std::string subjectCopy = subject + "\n";
            for (const char* kind : {"P", "C", "F", "H"}) {
                const std::string from = std::string("\"") + kind + "0";
                const std::string to = std::string("\"") + kind + std::to_string(k) + "_0";
                copy = ReplaceAll(copy, from, to);
                subjectCopy = ReplaceAll(subjectCopy, from, to);
            }
            spaces += copy;
            subjects += subjectCopy;
        }
        CityFile file;
        fs::create_directories(fs::temp_directory_path() / "vemo-bench-registrymap");
        file.path = fs::temp_directory_path() / "vemo-bench-registrymap" / "city.xml";
        std::ofstream out(file.path, std::ios::binary);
        const std::string whole = text.substr(0, spaceStart) + spaces + text.substr(spaceEnd, subjectStart - spaceEnd) +
                                  subjects + text.substr(subjectEnd);
        out << whole;
        file.bytes = whole.size();
        for (std::size_t at = whole.find("<zmn:GM_Point "); at != std::string::npos;
             at = whole.find("<zmn:GM_Point ", at + 1)) {
            file.pointBytes += whole.find("</zmn:GM_Point>", at) + std::string("</zmn:GM_Point>").size() - at;
        }
        return file;
    }();
    return city;
}

// The bytes the allocator has handed out and not had back: what a document holds is the difference
// while it lives.  (The peak resident size cannot tell: making the test file took more.)
std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

void BM_ReadCityMap(benchmark::State& state) {
    const CityFile& city = City();
    std::size_t points = 0;
    std::size_t curves = 0;
    std::size_t parcels = 0;
    std::size_t held = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        vemo::RegistryMapDocument doc = vemo::ReadRegistryMapXml(city.path);
        held = HeapInUse() - before;
        points = doc.points.size();
        curves = doc.curves.size();
        parcels = doc.parcels.size();
        benchmark::DoNotOptimize(doc);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * city.bytes));
    state.counters["MB"] = static_cast<double>(city.bytes) / 1e6;
    state.counters["points"] = static_cast<double>(points);
    state.counters["curves"] = static_cast<double>(curves);
    state.counters["parcels"] = static_cast<double>(parcels);
    state.counters["held_MB"] = static_cast<double>(held) / 1e6;
    state.counters["held_vs_point_bytes"] = static_cast<double>(held) / static_cast<double>(city.pointBytes);
}
BENCHMARK(BM_ReadCityMap)->Unit(benchmark::kMillisecond)->Iterations(3);

// A surveyor's use of it: one parcel and its neighbours taken from the whole city.
void BM_ImportOneParcelWithNeighbours(benchmark::State& state) {
    std::vector<vemo::NamedRegistryMap> maps;
    maps.push_back({"city.xml", vemo::ReadRegistryMapXml(City().path)});
    const std::string chiban = maps.front().doc.parcels[maps.front().doc.parcels.size() / 2].chiban;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vemo::ImportRegistryMaps(maps, {{chiban}, true}));
    }
}
BENCHMARK(BM_ImportOneParcelWithNeighbours)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
