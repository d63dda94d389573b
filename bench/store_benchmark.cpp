// Load and save speed of the tra file store on a generated string table, and
// the peak memory of the process against the file size, in all and above
// what it held before the first load; or of FILE, to try other shapes (a
// million short entries, one huge text).
//   store_benchmark [benchmark options] [FILE]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "peak_memory.h"
#include "store/tra_file.h"
#include "tra_generator.h"

using namespace wordgleaner;

namespace fs = std::filesystem;

namespace {

constexpr double Megabyte = 1024.0 * 1024.0;

void LoadStringTable(benchmark::State& state, const std::string& path) {
    const auto bytes = static_cast<std::int64_t>(fs::file_size(path));
    TraFile file;
    for (auto _ : state) {
        if (file.Load(path) != TraOk) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["entries"] = file.GetEntryCount();
}

void SaveStringTable(benchmark::State& state, const std::string& path, const std::string& out) {
    TraFile file;
    if (file.Load(path) != TraOk) {
        state.SkipWithError("load failed");
        return;
    }
    for (auto _ : state) {
        if (file.Save(out) != TraOk) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(out)));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const fs::path folder = fs::temp_directory_path() / "wordgleaner-store-benchmark";
    fs::create_directories(folder);
    const std::string input = argc > 1 ? argv[1] : (folder / "string_table.tra").string();
    const std::string output = (folder / "saved.tra").string();
    if (argc <= 1 && GenerateTraFile(input) != TraOk) {
        std::fprintf(stderr, "cannot write %s\n", input.c_str());
        return 1;
    }
    const double fileSize = static_cast<double>(fs::file_size(input));
    std::printf("input: %s, %.1f MB\n", input.c_str(), fileSize / Megabyte);

    // Wall-clock time, so that the figures include reading and writing the disk.
    benchmark::RegisterBenchmark("Load", LoadStringTable, input)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Save", SaveStringTable, input, output)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    // What the process holds before its first load (code, libraries, the
    // benchmark library) is no memory of the file.
    const double before = ResidentMebibytes() * Megabyte;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double peak = PeakMemoryMebibytes() * Megabyte;
    std::printf("peak memory: %.1f MB = %.2f x the file size\n", peak / Megabyte, peak / fileSize);
    std::printf("  above the %.1f MB held before the first load: %.1f MB = %.2f x the file size\n",
                before / Megabyte, (peak - before) / Megabyte, (peak - before) / fileSize);
    fs::remove_all(folder);
    return 0;
}
