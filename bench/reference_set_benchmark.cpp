// A batch against a reference set as translators use one: the previous
// version's language folders, 300 files of 1,000 entries each, every file
// numbering its ids from 0, 300,000 entries in all, against the generated
// 10,000-entry mod folder; and the same batch against the same entries as one
// file pair. Prints the time and the peak memory of both (best of two runs
// each) and checks that both find the same: the set must cost no more than
// one file of the same total size. Run on a Release build:
//   reference_set_benchmark [DATA_DIR]
// DATA_DIR keeps the generated data between runs (generated when missing):
// DATA_DIR/reference (the pair as one file), DATA_DIR/set/original and
// DATA_DIR/set/translated (the same pair cut into 300 files) and DATA_DIR/mod.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game_data.h"
#include "job/recovery_job.h"
#include "process_measures.h"

using namespace wordgleaner;

namespace {

namespace fs = std::filesystem;

constexpr int SetFiles = 300;
constexpr int EntriesPerFile = 1000;
constexpr int Runs = 2;

void Fail(const std::string& what) {
    std::fprintf(stderr, "reference_set_benchmark: %s\n", what.c_str());
    std::exit(1);
}

// The entries of a generated file in order; each begins at a line that
// begins with '@' (generated texts run on over lines that begin with a
// word), and keeps its own line ends.
std::vector<std::string> EntriesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<std::string> entries;
    std::size_t start = bytes.find("\n@");
    while (start != std::string::npos) {
        const std::size_t next = bytes.find("\n@", start + 1);
        entries.push_back(
            bytes.substr(start + 1, next == std::string::npos ? std::string::npos : next - start));
        start = next;
    }
    return entries;
}

// "@123456 = ~...": the same entry with the id `id`.
std::string Renumbered(const std::string& entry, int id) {
    std::string renumbered = "@";
    renumbered += std::to_string(id);
    renumbered.append(entry, entry.find(' '));
    return renumbered;
}

// Cuts one generated file into SetFiles files named partNNN.tra in
// `folder`, each numbering from @0 as every file of a real language folder.
void CutIntoSet(const std::string& path, const fs::path& folder) {
    const std::vector<std::string> entries = EntriesOf(path);
    if (entries.size() != static_cast<std::size_t>(SetFiles) * EntriesPerFile) {
        Fail("unexpected entry count in " + path);
    }
    fs::create_directories(folder);
    for (int file = 0; file < SetFiles; ++file) {
        char name[16];
        std::snprintf(name, sizeof name, "part%03d.tra", file);
        std::ofstream out(folder / name, std::ios::binary);
        for (int id = 0; id < EntriesPerFile; ++id) {
            out << Renumbered(entries[static_cast<std::size_t>(file * EntriesPerFile + id)], id);
        }
        if (!out) {
            Fail("cannot write " + (folder / name).string());
        }
    }
}

struct Measure {
    double seconds = 1e300;
    double peakMebibytes = 0.0;
    std::string summary;
};

// The best time of Runs batches and the largest peak of them.
Measure MeasureBatch(const ReferencePairs& references, const std::string& mod,
                     const std::string& output) {
    fs::create_directories(output);
    Measure best;
    for (int run = 0; run < Runs; ++run) {
        RecoveryJob job;
        ResetPeakMemory();
        const BenchClock::time_point start = BenchClock::now();
        if (!job.Start(references, mod, output, RecoveryOptions{})) {
            Fail("no worker thread for the batch");
        }
        job.WaitForEnd();
        best.seconds = std::min(best.seconds, SecondsSince(start));
        best.peakMebibytes = std::max(best.peakMebibytes, PeakMemoryMebibytes());
        const ProgressSnapshot end = job.Snapshot();
        if (end.status != TraOk) {
            Fail("the batch failed: " + end.progressText);
        }
        best.summary = end.entryText;
    }
    return best;
}

void Print(const char* what, const Measure& measure) {
    std::printf("%-36s %7.3f s  peak %6.0f MiB\n  %s\n", what, measure.seconds,
                measure.peakMebibytes, measure.summary.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string directory =
        argc > 1 ? argv[1] : (fs::temp_directory_path() / "wordgleaner-reference-set").string();
    const GameDataShape shape{SetFiles * EntriesPerFile, 10'000, 8, 1};
    const GameDataPaths paths = GameDataPathsIn(directory);
    const fs::path set = fs::path(directory) / "set";
    if (!fs::exists(paths.modDirectory)) {
        if (GenerateGameData(directory, shape) != TraOk) {
            Fail("cannot write the data into " + directory);
        }
    }
    if (!fs::exists(set)) {
        CutIntoSet(paths.referenceOriginal, set / "original");
        CutIntoSet(paths.referenceTranslated, set / "translated");
    }
    std::printf(
        "reference: %d entries, as one file pair of %.1f MB each or %d files of %d; "
        "mod: %d entries in %d files\n",
        shape.referenceEntries, static_cast<double>(fs::file_size(paths.referenceOriginal)) / 1e6,
        SetFiles, EntriesPerFile, shape.modEntries, shape.modFiles);

    const Measure single = MeasureBatch({{paths.referenceOriginal, paths.referenceTranslated}},
                                        paths.modDirectory, directory + "/out-one-file");
    const Measure folders =
        MeasureBatch({{(set / "original").string(), (set / "translated").string()}},
                     paths.modDirectory, directory + "/out-set");
    Print("one file pair, default settings:", single);
    Print("300 files (two folders), the same:", folders);
    std::printf(
        "set against one file: %.2f x the time, %.2f x the peak memory; "
        "same outcomes: %s\n",
        folders.seconds / single.seconds, folders.peakMebibytes / single.peakMebibytes,
        folders.summary == single.summary ? "yes" : "NO");
    return folders.summary == single.summary ? 0 : 1;
}
