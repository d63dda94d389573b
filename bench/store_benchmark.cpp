// Load and save speed of the tra file store on a generated string table, and
// the peak memory of the process against the file size, in all and above
// what it held before the first load; or of FILE, to try other shapes (a
// million short entries, one huge text). With the generated table, also the
// load of the same entries as a game's talk table (dialog.tlk, and with
// dialogF.tlk's female texts) against the tra file of those entries.
//   store_benchmark [benchmark options] [FILE]

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "peak_memory.h"
#include "store/id_entries.h"
#include "store/tra_file.h"
#include "support/talk_table_writer.h"
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

// A table with its female table, or a tra file (no female table).
struct LoadedFile {
    std::string path;
    std::string femaleTable;
    bool isTable = false;

    TraError LoadInto(TraFile& file) const {
        return isTable ? file.LoadTalkTable(path, femaleTable) : file.Load(path);
    }
    double Bytes() const {
        return static_cast<double>(fs::file_size(path)) +
               (femaleTable.empty() ? 0.0 : static_cast<double>(fs::file_size(femaleTable)));
    }
};

void LoadReferenceFile(benchmark::State& state, const LoadedFile& loaded) {
    TraFile file;
    for (auto _ : state) {
        if (loaded.LoadInto(file) != TraOk) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(loaded.Bytes()));
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

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The entries of the generated string table in file order, as a game would
// keep them: entry k in dialog.tlk as id k, its female text and sound (or
// else its male ones) in dialogF.tlk; and the same entries as the tra files
// the store writes of them, without and with the female texts.
struct TableCase {
    LoadedFile table;
    LoadedFile traOfTable;
    LoadedFile tableWithFemale;
    LoadedFile traWithFemale;
};

bool WriteTableCase(const std::string& traPath, const fs::path& folder, TableCase& made) {
    TraFile source;
    if (source.Load(traPath) != TraOk) {
        return false;
    }
    std::vector<test_support::TalkTableEntry> male;
    std::vector<test_support::TalkTableEntry> female;
    for (const IdEntry& item : IdEntries(source)) {
        const TraEntry& entry = item.entry;
        male.push_back({std::string(entry.MaleText()), std::string(entry.MaleSound()), {}});
        const bool hasFemale = !entry.FemaleText().empty() || !entry.FemaleSound().empty();
        female.push_back(hasFemale ? test_support::TalkTableEntry{std::string(entry.FemaleText()),
                                                                  std::string(entry.FemaleSound()),
                                                                  {}}
                                   : male.back());
    }
    made.table = {(folder / "dialog.tlk").string(), {}, true};
    made.tableWithFemale = {made.table.path, (folder / "dialogF.tlk").string(), true};
    made.traOfTable = {(folder / "dialog_tlk.tra").string(), {}, false};
    made.traWithFemale = {(folder / "dialog_tlk_female.tra").string(), {}, false};
    WriteBytes(made.table.path, test_support::TalkTableBytes(male));
    WriteBytes(made.tableWithFemale.femaleTable, test_support::TalkTableBytes(female));
    TraFile exported;
    return made.table.LoadInto(exported) == TraOk && exported.Save(made.traOfTable.path) == TraOk &&
           made.tableWithFemale.LoadInto(exported) == TraOk &&
           exported.Save(made.traWithFemale.path) == TraOk;
}

// The peak of one load above what the process held before it.
double LoadPeakMebibytes(const LoadedFile& loaded) {
    ResetPeakMemory();
    const double before = ResidentMebibytes();
    {
        TraFile file;
        if (loaded.LoadInto(file) != TraOk) {
            return -1.0;
        }
    }
    return PeakMemoryMebibytes() - before;
}

void PrintLoadPeak(const char* what, const LoadedFile& loaded) {
    const double bytes = loaded.Bytes();
    const double peak = LoadPeakMebibytes(loaded);
    std::printf("  %-34s %6.1f MB, load peak %6.1f MB = %.2f x its bytes\n", what, bytes / Megabyte,
                peak, peak * Megabyte / bytes);
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
    // A reporter of our own for each run: the library's default one does not
    // survive a second run.
    benchmark::ConsoleReporter stringTableReporter(benchmark::ConsoleReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&stringTableReporter);

    const double peak = PeakMemoryMebibytes() * Megabyte;
    std::printf("peak memory: %.1f MB = %.2f x the file size\n", peak / Megabyte, peak / fileSize);
    std::printf("  above the %.1f MB held before the first load: %.1f MB = %.2f x the file size\n",
                before / Megabyte, (peak - before) / Megabyte, (peak - before) / fileSize);
    // The tables are made and loaded after the figures above, which they
    // would change.
    TableCase tables;
    if (argc <= 1) {
        if (!WriteTableCase(input, folder, tables)) {
            std::fprintf(stderr, "cannot write the talk tables in %s\n", folder.string().c_str());
            return 1;
        }
        benchmark::ClearRegisteredBenchmarks();
        const std::pair<const char*, const LoadedFile*> cases[] = {
            {"LoadTalkTable", &tables.table},
            {"LoadTraOfTheTable", &tables.traOfTable},
            {"LoadTalkTableWithFemale", &tables.tableWithFemale},
            {"LoadTraWithFemaleTexts", &tables.traWithFemale},
        };
        for (const auto& [name, loaded] : cases) {
            benchmark::RegisterBenchmark(name, LoadReferenceFile, *loaded)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
        benchmark::ConsoleReporter tableReporter(benchmark::ConsoleReporter::OO_None);
        benchmark::RunSpecifiedBenchmarks(&tableReporter);
        std::printf("the same entries as a talk table and as a tra file, each load alone:\n");
        PrintLoadPeak("dialog.tlk", tables.table);
        PrintLoadPeak("its tra file", tables.traOfTable);
        PrintLoadPeak("dialog.tlk with dialogF.tlk", tables.tableWithFemale);
        PrintLoadPeak("its tra file with the female texts", tables.traWithFemale);
    }
    benchmark::Shutdown();
    fs::remove_all(folder);
    return 0;
}
