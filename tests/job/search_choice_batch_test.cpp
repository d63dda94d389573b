// Whole batches with the indexed search and with the linear one write the
// same bytes: recovered files, patch file and report, and end with the same
// counters and progress texts, for the settings a user can choose.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "job/check_point.h"
#include "job/recovery_job.h"
#include "support/abort_at.h"
#include "support/batch_files.h"
#include "support/random_tra.h"
#include "support/temp_dir.h"

using namespace wordgleaner;

namespace {

using test_support::RandomEntry;
using test_support::RandomTra;

// A reference pair and a mod directory of three files, generated from a seed.
// As a set, the reference is cut into a folder pair (a file, an empty file,
// a file without counterpart) and a file pair of lower priority; generated
// ids repeat, so the files' ids collide.
class GeneratedBatch {
public:
    explicit GeneratedBatch(std::uint64_t seed, bool asSet = false) {
        RandomTra random(seed, {.referenceEntries = 150, .modEntries = 40, .idRange = 200});
        std::vector<RandomEntry> reference = random.Reference();
        if (asSet) {
            WriteSet(random, reference);
        } else {
            references = {{dir.Write("reference/original.tra", random.TraText(reference)),
                           dir.Write("reference/translated.tra",
                                     random.TraText(Translated(random, reference)))}};
        }
        for (const char* name : {"a.tra", "b.tra", "c.tra"}) {
            dir.Write(std::string("mod/") + name, random.TraText(random.Mod(reference)));
        }
        modDirectory = dir / "mod";
    }

    // Runs the batch into a folder of its own and reads back every file written.
    struct Outcome {
        std::vector<std::string> names;
        std::vector<std::string> contents;
        std::string progressText;
        std::string entryText;
        std::int32_t status = 0;
        std::vector<std::int32_t> counters;
    };

    Outcome Run(RecoveryOptions options, bool exhaustive, int abortBeforeEntry = 0) {
        options.exhaustiveSearch = exhaustive;
        const std::string destination = dir / ("out" + std::to_string(runs++));
        std::filesystem::create_directories(destination);
        RecoveryJob job(
            {.atCheckPoint = abortBeforeEntry > 0
                                 ? test_support::AbortAt(CheckPoint::BeforeEntry, abortBeforeEntry)
                                 : nullptr});
        const ProgressSnapshot end =
            test_support::RunBatch(job, references, modDirectory, destination, options);
        Outcome outcome;
        outcome.names = test_support::NamesIn(destination);
        for (const std::string& name : outcome.names) {
            outcome.contents.push_back(test_support::TempDir::Read(destination + "/" + name));
        }
        outcome.progressText = end.progressText;
        outcome.entryText = end.entryText;
        outcome.status = end.status;
        outcome.counters = {end.counters.entriesProcessed, end.counters.exactCount,
                            end.counters.veryLikelyCount,  end.counters.likelyCount,
                            end.counters.emptyCount,       end.entryPercent};
        return outcome;
    }

private:
    // Translations of most entries; a few ids are missing, so the warning
    // for a translation that is not there shows up too.
    static std::vector<RandomEntry> Translated(RandomTra& random,
                                               const std::vector<RandomEntry>& reference) {
        std::vector<RandomEntry> translated;
        for (const RandomEntry& entry : reference) {
            if (!random.Chance(8)) {
                translated.push_back({entry.id, "[fr] " + entry.text, entry.sound});
            }
        }
        return translated;
    }

    void WriteSet(RandomTra& random, const std::vector<RandomEntry>& reference) {
        const auto third = static_cast<std::ptrdiff_t>(reference.size() / 3);
        const std::vector<RandomEntry> parts[] = {
            {reference.begin(), reference.begin() + third},
            {reference.begin() + third, reference.begin() + 2 * third},
            {reference.begin() + 2 * third, reference.end()}};
        dir.Write("set/original/a.tra", random.TraText(parts[0]));
        dir.Write("set/translated/a.tra", random.TraText(Translated(random, parts[0])));
        dir.Write("set/original/b.tra", "");
        dir.Write("set/translated/b.tra", "");
        dir.Write("set/original/c.tra", random.TraText(parts[1]));
        references = {
            {dir / "set/original", dir / "set/translated"},
            {dir.Write("set/extra_original.tra", random.TraText(parts[2])),
             dir.Write("set/extra_translated.tra", random.TraText(Translated(random, parts[2])))}};
    }

    test_support::TempDir dir;
    ReferencePairs references;
    std::string modDirectory;
    int runs = 0;
};

void ExpectSameOutcome(const GeneratedBatch::Outcome& linear,
                       const GeneratedBatch::Outcome& indexed, const std::string& context) {
    ASSERT_EQ(indexed.names, linear.names) << context;
    for (std::size_t i = 0; i < linear.names.size(); ++i) {
        EXPECT_EQ(indexed.contents[i], linear.contents[i]) << context << ", " << linear.names[i];
    }
    EXPECT_EQ(indexed.progressText, linear.progressText) << context;
    EXPECT_EQ(indexed.entryText, linear.entryText) << context;
    EXPECT_EQ(indexed.status, linear.status) << context;
    EXPECT_EQ(indexed.counters, linear.counters) << context;
}

std::vector<RecoveryOptions> OptionsToCompare() {
    std::vector<RecoveryOptions> all;
    RecoveryOptions options;
    options.generatePatch = true;
    for (double minimum : {0.0, 50.0, 99.9, 100.0}) {
        for (bool compareSound : {true, false}) {
            options.search.minLikeliness = minimum;
            options.search.compareSound = compareSound;
            all.push_back(options);
        }
    }
    options = RecoveryOptions{};
    options.generatePatch = true;
    options.veryLikelyThreshold = 90.0;
    options.commentMode = CommentMissingMatch;
    all.push_back(options);
    options.veryLikelyThreshold = 100.0;
    options.lineInfoOnly = true;
    all.push_back(options);
    options = RecoveryOptions{};
    options.search.minReferenceId = 20;
    options.search.maxReferenceId = 60;
    options.commentMode = CommentNone;
    all.push_back(options);
    return all;
}

TEST(SearchChoiceBatch, IndexedAndLinearSearchesWriteTheSameBytesForEverySetting) {
    for (std::uint64_t seed : {1, 2, 3}) {
        GeneratedBatch batch(seed);
        int setting = 0;
        for (const RecoveryOptions& options : OptionsToCompare()) {
            const std::string context =
                "seed " + std::to_string(seed) + ", setting " + std::to_string(setting++);
            GeneratedBatch::Outcome linear = batch.Run(options, true);
            ASSERT_EQ(linear.status, 0) << context;
            ExpectSameOutcome(linear, batch.Run(options, false), context);
        }
    }
}

TEST(SearchChoiceBatch, IndexedAndLinearSearchesWriteTheSameBytesForAReferenceSet) {
    for (std::uint64_t seed : {5, 6}) {
        GeneratedBatch batch(seed, true);
        int setting = 0;
        for (const RecoveryOptions& options : OptionsToCompare()) {
            const std::string context =
                "set, seed " + std::to_string(seed) + ", setting " + std::to_string(setting++);
            GeneratedBatch::Outcome linear = batch.Run(options, true);
            ASSERT_EQ(linear.status, 0) << context << ": " << linear.progressText;
            ExpectSameOutcome(linear, batch.Run(options, false), context);
        }
    }
}

TEST(SearchChoiceBatch, AnAbortBeforeAnEntryStopsBothSearchesAtThatEntry) {
    GeneratedBatch batch(4);
    RecoveryOptions options;
    options.generatePatch = true;
    for (int entry : {1, 17, 55}) {
        GeneratedBatch::Outcome linear = batch.Run(options, true, entry);
        GeneratedBatch::Outcome indexed = batch.Run(options, false, entry);
        ExpectSameOutcome(linear, indexed, "abort before entry " + std::to_string(entry));
        EXPECT_EQ(indexed.counters[0], entry - 1) << "entries processed before the abort";
    }
}

}  // namespace
