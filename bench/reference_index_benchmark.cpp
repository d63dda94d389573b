// What the searches hold for a reference, against the size of its file: the
// reference index (the words of every text, numbered), the word postings of
// the likeliness pass over every record and the exact-text index, each
// built as a batch builds it. Run on a Release build:
//   reference_index_benchmark [DATA_DIR]
// DATA_DIR holds generated data (generate_game_data; generated when missing).

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "game_data.h"
#include "matching/exact_text_index.h"
#include "matching/reference_index.h"
#include "matching/reference_set.h"
#include "matching/search_settings.h"
#include "matching/word_postings.h"
#include "process_measures.h"
#include "store/tra_file.h"

using namespace wordgleaner;

namespace {

namespace fs = std::filesystem;

constexpr double BytesPerMebibyte = KibibytesPerMebibyte * KibibytesPerMebibyte;

double Mebibytes(std::size_t bytes) {
    return static_cast<double>(bytes) / BytesPerMebibyte;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "reference_index_benchmark: %s\n", what.c_str());
    std::exit(1);
}

void ReportPart(const char* what, std::size_t bytes, double fileBytes, const Timing& built) {
    std::printf("  %-28s %8.1f MiB  %5.2f x the file  built in %.3f s, CPU %.3f s\n", what,
                Mebibytes(bytes), static_cast<double>(bytes) / fileBytes, built.wall, built.cpu);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string directory =
        argc > 1 ? argv[1] : (fs::temp_directory_path() / "wordgleaner-game-data").string();
    const GameDataPaths paths = GameDataPathsIn(directory);
    if (!fs::exists(paths.referenceOriginal) && GenerateGameData(directory) != TraOk) {
        Fail("cannot write the data into " + directory);
    }
    TraFile reference;
    if (reference.Load(paths.referenceOriginal) != TraOk) {
        Fail("cannot load " + paths.referenceOriginal);
    }
    const ReferenceSet references = ReferenceSet::Single(reference);
    const auto fileBytes = static_cast<double>(fs::file_size(paths.referenceOriginal));
    std::printf("reference original file: %.1f MiB, %zu records\n", fileBytes / BytesPerMebibyte,
                references.Records().size());

    ReferenceIndex index;
    Stopwatch stopwatch;
    BuildReferenceIndex(references, index);
    const Timing indexBuilt = stopwatch.Elapsed();

    std::vector<std::uint32_t> records(index.size());
    std::iota(records.begin(), records.end(), 0U);
    const double residentBefore = ResidentMebibytes();
    ResetPeakMemory();
    stopwatch = Stopwatch();
    const WordPostings postings(index, records);
    const Timing postingsBuilt = stopwatch.Elapsed();
    const double postingsPeak = PeakMemoryMebibytes() - residentBefore;

    stopwatch = Stopwatch();
    const ExactTextIndex exactTexts(references, SearchSettings{});
    const Timing exactBuilt = stopwatch.Elapsed();

    ReportPart("reference index", index.HeldBytes(), fileBytes, indexBuilt);
    ReportPart("word postings", postings.HeldBytes(), fileBytes, postingsBuilt);
    ReportPart("exact-text index", exactTexts.HeldBytes(), fileBytes, exactBuilt);
    const std::size_t sum = index.HeldBytes() + postings.HeldBytes() + exactTexts.HeldBytes();
    const Timing total{indexBuilt.wall + postingsBuilt.wall + exactBuilt.wall,
                       indexBuilt.cpu + postingsBuilt.cpu + exactBuilt.cpu};
    ReportPart("all three", sum, fileBytes, total);
    std::printf("  building the postings took at most %.1f MiB beyond what was resident\n",
                postingsPeak);
    return 0;
}
