// A whole recovery batch of game size: a 100,000-entry reference pair and a
// 10,000-entry mod directory, or --scale times that. Prints the batch time
// with the indexed search, the floor (the same loads and saves with no
// search), the peak memory of each against the size of all input files, and
// the time per mod entry of the indexed and the linear search on a sample of
// entries (--sample 0 leaves that out). Run on a Release build:
//   batch_benchmark [DATA_DIR] [--scale N] [--sample N] [--review]
//                   [--reference-files N]
// --review also times the default batch with the review page and table and
// prints their sizes. --reference-files N cuts the reference pair into N
// pairs of files and gives the batch all of them, as for a game that ships
// its string table in many files; a job that searches only the first pair
// would find most texts new.
// DATA_DIR keeps the generated data between runs (generated when missing).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game_data.h"
#include "job/recovery_job.h"
#include "job/reference_pair.h"
#include "matching/indexed_reference_search.h"
#include "matching/reference_set.h"
#include "matching/search_ahead.h"
#include "process_measures.h"
#include "store/id_entries.h"
#include "store/tra_entry_value.h"
#include "store/tra_file.h"

using namespace wordgleaner;

namespace {

namespace fs = std::filesystem;
using Clock = BenchClock;

constexpr int DefaultSample = 150;

double MebibytesIn(const ReferencePairs& references, const GameDataPaths& paths) {
    std::uintmax_t bytes = 0;
    for (const ReferencePair& pair : references) {
        bytes += fs::file_size(pair.original) + fs::file_size(pair.translated);
    }
    for (const auto& entry : fs::directory_iterator(paths.modDirectory)) {
        bytes += entry.file_size();
    }
    return static_cast<double>(bytes) / (KibibytesPerMebibyte * KibibytesPerMebibyte);
}

void ReportPeak(const char* what, double inputMebibytes) {
    const double peak = PeakMemoryMebibytes();
    std::printf(
        "  peak memory of %s: %.0f MiB = %.2f x the input files"
        " (%.2f bytes per input byte)\n",
        what, peak, peak / inputMebibytes, peak / inputMebibytes);
}

std::vector<std::string> ModFileNames(const std::string& modDirectory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(modDirectory)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "batch_benchmark: %s\n", what.c_str());
    std::exit(1);
}

// Loading every reference file, then loading and saving every mod file: the
// part of a batch that no search can make faster.
Timing MeasureFloor(const ReferencePairs& references, const GameDataPaths& paths,
                    const std::string& output) {
    fs::create_directories(output);
    Stopwatch stopwatch;
    std::vector<TraFile> loaded(references.size() * 2);
    for (std::size_t i = 0; i < references.size(); ++i) {
        if (loaded[2 * i].Load(references[i].original) != TraOk ||
            loaded[2 * i + 1].Load(references[i].translated) != TraOk) {
            Fail("cannot load the references");
        }
    }
    TraFile mod;
    for (const std::string& name : ModFileNames(paths.modDirectory)) {
        if (mod.Load((fs::path(paths.modDirectory) / name).string()) != TraOk ||
            mod.Save((fs::path(output) / name).string()) != TraOk) {
            Fail("cannot load or save " + name);
        }
    }
    return stopwatch.Elapsed();
}

Timing MeasureBatch(const ReferencePairs& references, const GameDataPaths& paths,
                    const std::string& output, const RecoveryOptions& options,
                    std::string& summary) {
    fs::create_directories(output);
    RecoveryJob job;
    Stopwatch stopwatch;
    if (!job.Start(references, paths.modDirectory, output, options)) {
        Fail("no worker thread for the batch");
    }
    job.WaitForEnd();
    const Timing timing = stopwatch.Elapsed();
    const ProgressSnapshot end = job.Snapshot();
    if (end.status != TraOk) {
        Fail("the batch failed: " + end.progressText);
    }
    summary = end.entryText;
    return timing;
}

struct SampleTimes {
    double linearSeconds = 0.0;   // per entry
    double indexedSeconds = 0.0;  // per entry, one thread
    double indexBuildSeconds = 0.0;
    bool identical = true;
};

// Every k-th non-empty mod text, searched by both searches on one thread.
SampleTimes MeasureSample(const GameDataPaths& paths, const ReferenceSet& reference,
                          const ReferenceIndex& index, const SearchSettings& settings,
                          int sampleSize) {
    std::vector<TraEntryValue> all;
    TraFile mod;
    for (const std::string& name : ModFileNames(paths.modDirectory)) {
        mod.Load((fs::path(paths.modDirectory) / name).string());
        for (const IdEntry& item : IdEntries(mod)) {
            if (!item.entry.MaleText().empty()) {
                all.push_back(ValueOf(item.entry));
            }
        }
    }
    std::vector<TraEntryValue> sample;
    const std::size_t step = std::max<std::size_t>(1, all.size() / sampleSize);
    for (std::size_t i = 0; i < all.size() && sample.size() < std::size_t(sampleSize); i += step) {
        sample.push_back(all[i]);
    }

    SampleTimes times;
    Clock::time_point start = Clock::now();
    IndexedReferenceSearch indexed(reference, index, settings);
    times.indexBuildSeconds = SecondsSince(start);

    std::vector<SearchResult> fast;
    start = Clock::now();
    for (const TraEntryValue& entry : sample) {
        fast.push_back(indexed.Search(entry.maleText, entry.maleSound));
    }
    times.indexedSeconds = SecondsSince(start) / static_cast<double>(sample.size());

    start = Clock::now();
    for (std::size_t i = 0; i < sample.size(); ++i) {
        SearchResult linear =
            SearchReference(settings, sample[i].maleText, sample[i].maleSound, reference, index);
        times.identical = times.identical && linear == fast[i];
    }
    times.linearSeconds = SecondsSince(start) / static_cast<double>(sample.size());
    return times;
}

// The default batch once more with the review, against the one without.
void ReportReview(const ReferencePairs& references, const GameDataPaths& paths,
                  const std::string& directory, double batch) {
    RecoveryOptions options;
    options.writeReview = true;
    std::string summary;
    const std::string output = directory + "/out-review";
    const double withReview = MeasureBatch(references, paths, output, options, summary).wall;
    const auto page = fs::file_size(fs::path(output) / "Wordgleaner_review.html");
    const auto table = fs::file_size(fs::path(output) / "Wordgleaner_review.csv");
    std::printf("\nreview (default settings)\n");
    std::printf("  whole batch with the review:   %8.3f s  (%+.3f s against %.3f s without)\n",
                withReview, withReview - batch, batch);
    std::printf("  review page: %.2f MB, table: %.2f MB\n", static_cast<double>(page) / 1e6,
                static_cast<double>(table) / 1e6);
}

void Report(const char* title, double floor, double batch, int modEntries,
            const SampleTimes& sample, int sampleSize, const std::string& summary) {
    std::printf("\n%s\n", title);
    std::printf("  whole batch, indexed search:   %8.3f s  (%.2f x the floor)\n", batch,
                batch / floor);
    std::printf("  per mod entry in the batch:    %8.1f us\n", batch / modEntries * 1e6);
    std::printf("  %s\n", summary.c_str());
    std::printf("  sample of %d entries, one thread each:\n", sampleSize);
    std::printf("    linear search per entry:     %8.3f ms\n", sample.linearSeconds * 1e3);
    std::printf("    indexed search per entry:    %8.1f us  (index built in %.3f s)\n",
                sample.indexedSeconds * 1e6, sample.indexBuildSeconds);
    std::printf("    speed-up per entry:          %8.0f x\n",
                sample.linearSeconds / sample.indexedSeconds);
    std::printf("    speed-up against the batch:  %8.0f x  (linear per entry / batch per entry)\n",
                sample.linearSeconds / (batch / modEntries));
    std::printf("    results identical:           %s\n", sample.identical ? "yes" : "NO");
}

}  // namespace

int main(int argc, char** argv) {
    std::string directory;
    int sampleSize = DefaultSample;
    bool review = false;
    int scale = 1;
    int referenceFiles = 1;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--sample" && i + 1 < argc) {
            sampleSize = std::max(0, std::atoi(argv[++i]));
        } else if (argument == "--scale" && i + 1 < argc) {
            scale = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--reference-files" && i + 1 < argc) {
            referenceFiles = std::max(1, std::atoi(argv[++i]));
        } else if (argument == "--review") {
            review = true;
        } else {
            directory = argument;
        }
    }
    if (directory.empty()) {
        std::string name = "wordgleaner-game-data";
        if (scale > 1) {
            name += "-x" + std::to_string(scale);
        }
        directory = (fs::temp_directory_path() / name).string();
    }
    const GameDataShape shape = ScaledGameData(scale);
    const GameDataPaths paths = GameDataPathsIn(directory);
    if (!fs::exists(paths.modDirectory)) {
        Clock::time_point start = Clock::now();
        if (GenerateGameData(directory, shape) != TraOk) {
            Fail("cannot write the data into " + directory);
        }
        std::printf("generated the data in %.1f s\n", SecondsSince(start));
    }
    ReferencePairs references{{paths.referenceOriginal, paths.referenceTranslated}};
    if (referenceFiles > 1) {
        references.clear();
        for (auto& [original, translated] : SplitReferencePairs(directory, referenceFiles)) {
            references.push_back({original, translated});
        }
        if (references.empty()) {
            Fail("cannot cut the reference pair into files");
        }
    }
    const double input = MebibytesIn(references, paths);
    std::printf("reference pair: %d entries, %.1f MB each; mod: %d entries in %d files\n",
                shape.referenceEntries,
                static_cast<double>(fs::file_size(paths.referenceOriginal)) / 1e6, shape.modEntries,
                shape.modFiles);
    std::printf("reference files: %d pairs\n", referenceFiles);
    std::printf("all input files: %.1f MiB\n", input);
    std::printf("search threads: %u\n", SearchThreadsForHardware());

    ResetPeakMemory();
    const Timing floorTiming = MeasureFloor(references, paths, directory + "/out-floor");
    const double floor = floorTiming.wall;
    std::printf("floor (load the references, load and save every mod file): %.3f s, CPU %.3f s\n",
                floor, floorTiming.cpu);
    ReportPeak("the floor", input);

    RecoveryOptions defaults;
    std::string summary;
    ResetPeakMemory();
    const Timing batchTiming =
        MeasureBatch(references, paths, directory + "/out-default", defaults, summary);
    const double batch = batchTiming.wall;
    std::printf("whole batch, default settings: %.3f s, CPU %.3f s (%.2f x the floor)\n", batch,
                batchTiming.cpu, batch / floor);
    ReportPeak("the default batch", input);
    if (review) {
        ReportReview(references, paths, directory, batch);
    }

    if (scale > 1) {
        // At minimum 0 every text is a candidate: ten times the entries on
        // both sides is a hundred times the work, many minutes.
        std::printf("  %s\n", summary.c_str());
        return 0;
    }
    RecoveryOptions weakest = defaults;
    weakest.search.minLikeliness = 0.0;
    std::string weakestSummary;
    ResetPeakMemory();
    const Timing weakestTiming =
        MeasureBatch(references, paths, directory + "/out-minimum-0", weakest, weakestSummary);
    const double weakestBatch = weakestTiming.wall;
    std::printf("whole batch, minimum likeliness 0 %%: %.3f s, CPU %.3f s (%.2f x the floor)\n",
                weakestBatch, weakestTiming.cpu, weakestBatch / floor);
    ReportPeak("the minimum-0 batch", input);
    if (sampleSize == 0) {
        std::printf("  %s\n", summary.c_str());
        return 0;
    }

    TraFile referenceFile;
    referenceFile.Load(paths.referenceOriginal);
    const ReferenceSet reference = ReferenceSet::Single(referenceFile);
    ReferenceIndex index;
    BuildReferenceIndex(reference, index);
    Report("default settings (minimum likeliness 50 %)", floor, batch, shape.modEntries,
           MeasureSample(paths, reference, index, defaults.search, sampleSize), sampleSize,
           summary);
    Report("minimum likeliness 0 %", floor, weakestBatch, shape.modEntries,
           MeasureSample(paths, reference, index, weakest.search, sampleSize), sampleSize,
           weakestSummary);
    return 0;
}
