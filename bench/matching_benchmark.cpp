// Baseline figures of the linear matching engine: one likeliness comparison,
// one mod text against a whole reference, and one RecoverFile call of a
// 1,000-entry mod file against a 20,000-entry reference pair.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "job/recovery_options.h"
#include "job/worker/abort_check.h"
#include "job/worker/patch_file.h"
#include "job/worker/recover_file.h"
#include "job/worker/recovery_tally.h"
#include "job/worker/search_choice.h"
#include "job/worker/shared_progress.h"
#include "matching/likeliness.h"
#include "matching/reference_index.h"
#include "matching/reference_set.h"
#include "store/tra_file.h"

using namespace wordgleaner;

namespace {

constexpr int ReferenceEntries = 20000;
constexpr int ModEntries = 1000;
constexpr int VocabularySize = 3000;
constexpr int MinWords = 3;
constexpr int MaxWords = 24;
constexpr std::uint64_t Seed = 20240611;

// Words made of syllables, so that texts look alike in length and spelling.
std::vector<std::string> MakeVocabulary(std::mt19937_64& random) {
    static const char* const syllables[] = {"ka",  "ro", "mi",  "tel", "an", "dor", "su",  "ve",
                                            "lin", "ga", "thu", "or",  "pe", "is",  "wen", "ba"};
    std::uniform_int_distribution<int> syllable(0, 15);
    std::uniform_int_distribution<int> length(1, 4);
    std::vector<std::string> words;
    for (int i = 0; i < VocabularySize; ++i) {
        std::string word;
        for (int n = length(random); n > 0; --n) {
            word += syllables[syllable(random)];
        }
        words.push_back(word);
    }
    return words;
}

std::string MakeSentence(std::mt19937_64& random, const std::vector<std::string>& vocabulary) {
    static const char* const endings[] = {".", "!", "?", "...", ","};
    std::uniform_int_distribution<int> count(MinWords, MaxWords);
    std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
    std::uniform_int_distribution<int> ending(0, 4);
    std::string text;
    for (int n = count(random); n > 0; --n) {
        text += vocabulary[pick(random)];
        text += n == 1 ? endings[ending(random)] : " ";
    }
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

// A mod text derived from a reference text: the same, in capitals, with
// other punctuation, with a word inserted, or new.
std::string MakeModText(std::mt19937_64& random, const std::vector<std::string>& vocabulary,
                        const std::vector<std::string>& reference) {
    std::uniform_int_distribution<std::size_t> pickText(0, reference.size() - 1);
    std::uniform_int_distribution<int> kind(0, 9);
    std::string text = reference[pickText(random)];
    switch (kind(random)) {
        case 0:
        case 1:
        case 2:
            return text;
        case 3:
            for (char& byte : text) {
                if (byte >= 'a' && byte <= 'z') {
                    byte = static_cast<char>(byte - 'a' + 'A');
                }
            }
            return text;
        case 4:
            return text + "!";
        case 5: {
            std::size_t space = text.find(' ');
            return space == std::string::npos ? text + " more" : text.insert(space, " ka");
        }
        default:
            return MakeSentence(random, vocabulary);
    }
}

void WriteTra(const std::filesystem::path& path, const std::vector<std::string>& texts,
              const std::string& prefix) {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out << '@' << i + 1 << " = ~" << prefix << texts[i] << "~\n";
    }
}

// The generated files, loaded once for every benchmark of the run.
struct Data {
    Data() {
        std::mt19937_64 random(Seed);
        std::vector<std::string> vocabulary = MakeVocabulary(random);
        std::vector<std::string> reference;
        for (int i = 0; i < ReferenceEntries; ++i) {
            reference.push_back(MakeSentence(random, vocabulary));
        }
        for (int i = 0; i < ModEntries; ++i) {
            modTexts.push_back(MakeModText(random, vocabulary, reference));
        }
        folder = std::filesystem::temp_directory_path() /
                 ("wordgleaner-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
        WriteTra(folder / "reference.tra", reference, "");
        WriteTra(folder / "translated.tra", reference, "T: ");
        WriteTra(folder / "setup.tra", modTexts, "");
        loaded = original.Load((folder / "reference.tra").string()) == TraOk &&
                 translated.Load((folder / "translated.tra").string()) == TraOk;
        BuildReferenceIndex(original, index);
    }
    ~Data() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    std::vector<std::string> modTexts;
    TraFile original;
    TraFile translated;
    ReferenceIndex index;
    bool loaded = false;
};

Data& SharedData() {
    static Data data;
    return data;
}

void BM_ComputeLikelinessOnePair(benchmark::State& state) {
    const IndexedText reference("Take the sword and run, before the guards of the keep see you!");
    const std::string mod = "Take the sword and run before the guards see you.";
    LikelinessStats stats;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeLikeliness(mod, reference, stats));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputeLikelinessOnePair);

// One mod text, split once, against every record of the reference index: the
// likeliness pass of one search.
void BM_ComputeLikelinessWholeReference(benchmark::State& state) {
    Data& data = SharedData();
    const std::string& modText = data.modTexts[static_cast<std::size_t>(state.range(0))];
    std::vector<WordVocabulary::WordId> modWords;
    data.index.NumberWordsOf(modText, modWords);
    const NumberedText mod{static_cast<std::int32_t>(modText.size()), modWords};
    std::vector<WordVocabulary::WordId> referenceWords;
    for (auto _ : state) {
        double best = -1.0;
        for (std::size_t record = 0; record < data.index.size(); ++record) {
            LikelinessStats stats;
            double likeliness =
                ComputeLikeliness(mod, data.index.Decode(record, referenceWords), stats);
            best = likeliness > best ? likeliness : best;
        }
        benchmark::DoNotOptimize(best);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(data.index.size()));
}
BENCHMARK(BM_ComputeLikelinessWholeReference)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);

void BM_RecoverFile(benchmark::State& state) {
    Data& data = SharedData();
    if (!data.loaded) {
        state.SkipWithError("the generated reference files did not load");
        return;
    }
    const std::string modPath = (data.folder / "setup.tra").string();
    const RecoveryOptions options;
    const ReferenceSet references = ReferenceSet::Single(data.original, &data.translated);
    RecoveryTally tally;
    PatchFile patch;  // never opened: no patch lines, as in a run without one
    std::vector<ReviewRecord> reviewRecords;
    SharedProgress progress;
    AbortCheck abortCheck(progress);
    TraFile mod;
    for (auto _ : state) {
        state.PauseTiming();
        if (mod.Load(modPath) != TraOk) {
            state.SkipWithError("the generated mod file did not load");
            return;
        }
        tally = {};
        state.ResumeTiming();
        const std::unique_ptr<ReferenceSearch> search =
            MakeReferenceSearch(references, data.index, options);
        RecoverFile(
            mod, {options, references, *search, tally, patch, reviewRecords, progress, abortCheck});
    }
    const BatchCounters& counters = tally.counters;
    state.counters["entries"] = counters.entriesProcessed;
    state.counters["exact"] = counters.exactCount;
    state.counters["veryLikely"] = counters.veryLikelyCount;
    state.counters["likely"] = counters.likelyCount;
    state.SetItemsProcessed(state.iterations() * ModEntries);
}
BENCHMARK(BM_RecoverFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BuildReferenceIndex(benchmark::State& state) {
    Data& data = SharedData();
    ReferenceIndex index;
    for (auto _ : state) {
        BuildReferenceIndex(data.original, index);
        benchmark::DoNotOptimize(index.size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(index.size()));
}
BENCHMARK(BM_BuildReferenceIndex)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
