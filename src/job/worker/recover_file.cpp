#include "job/worker/recover_file.h"

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "job/progress_percent.h"
#include "job/worker/job_worker.h"
#include "job/worker/review_entry.h"
#include "matching/indexed_reference_search.h"
#include "matching/output/match_messages.h"
#include "matching/output/patch_lines.h"
#include "matching/search_ahead.h"
#include "store/id_entries.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace {

// What the patch's opening and closing lines say the translations come from:
// the translated file of a single pair, or how many files were searched.
std::string TranslationsSource(const ReferenceSet& references) {
    if (references.FileCount() != 1) {
        return std::to_string(references.FileCount()) + " reference files";
    }
    const ReferenceFile& only = references.File(0);
    return (only.translated != nullptr ? only.translated : only.original)->GetName();
}

class FileRecovery {
public:
    FileRecovery(JobWorker& worker, TraFile& modFile, const ReferenceSearch& search,
                 const ReferenceSet& references)
        : worker(worker),
          options(worker.Options()),
          counters(worker.Counters()),
          modFile(modFile),
          search(search),
          references(references),
          patchNames(references.FileCount() > 1 ? references.Names()
                                                : std::span<const std::string>()),
          source(TranslationsSource(references)),
          total(modFile.GetEntryCount()),
          translatedBefore(Translated()) {}

    void Run() {
        worker.WritePatch(PatchOpeningLine(modFile.GetName(), source));
        SearchAhead ahead(search, QueriesOf(modFile));
        // Layout entries change nothing, so the abort request is read only
        // before the entries that carry an id.
        for (const IdEntry& item : IdEntries(modFile)) {
            if (worker.AbortRequestedAt(CheckPoint::BeforeEntry)) {
                ahead.Cancel();
                break;
            }
            RecoverEntry(item.position, item.entry, ahead);
        }
        ShowProgress("Processed", WholePercent(processed, total));
        worker.WritePatch(
            PatchClosingLines(Summary(), modFile.GetName(), source, worker.AbortRequested()));
    }

private:
    // The texts that RecoverEntry will search, in the order it searches
    // them; an entry's edits touch only that entry, so none of them changes
    // before its turn.
    static std::vector<SearchQuery> QueriesOf(const TraFile& file) {
        std::vector<SearchQuery> queries;
        for (const IdEntry& item : IdEntries(file)) {
            if (!item.entry.MaleText().empty()) {
                queries.push_back(
                    {std::string(item.entry.MaleText()), std::string(item.entry.MaleSound())});
            }
        }
        return queries;
    }

    void RecoverEntry(int position, const TraEntry& entry, SearchAhead& ahead) {
        ShowProgress("Processing", WholePercent(processed, total));
        ++counters.entriesProcessed;

        const std::int32_t entryId = entry.Id();
        SearchResult result;
        MatchOutcome outcome = MatchOutcome::Empty;
        if (!entry.MaleText().empty()) {
            result = ahead.Take(searched++);
            outcome = ClassifyMatch(result, options.veryLikelyThreshold);
        }
        KeepForReview(entry, outcome, result);
        ActOn(outcome, position, entryId, result);
        worker.WritePatch(PatchEntryLines(outcome, entryId, result, patchNames));
        ++processed;
    }

    // Before the entry's texts are replaced: the review shows the mod text.
    void KeepForReview(const TraEntry& entry, MatchOutcome outcome, const SearchResult& result) {
        if (options.writeReview) {
            worker.ReviewRecords().push_back(
                MakeReviewRecord(modFile.GetName(), entry, outcome, result, references));
        }
    }

    void ActOn(MatchOutcome outcome, int position, std::int32_t entryId,
               const SearchResult& result) {
        switch (outcome) {
            case MatchOutcome::Exact:
            case MatchOutcome::AlmostExact:
                ++counters.exactCount;
                TakeTranslation(outcome, position, result.Best());
                break;
            case MatchOutcome::VeryLikely:
                ++counters.veryLikelyCount;
                TakeTranslation(outcome, position, result.Best());
                break;
            case MatchOutcome::Likely:
                ++counters.likelyCount;
                modFile.AddCommentAt(position, LikelyMessage(references.Names(), result.Found()));
                break;
            case MatchOutcome::NotFound:
                if (!options.lineInfoOnly && options.commentMode == CommentMissingMatch) {
                    modFile.AddCommentAt(position, NotFoundMessage());
                }
                break;
            case MatchOutcome::Empty:
                ++counters.emptyCount;
                modFile.AddCommentAt(position, EmptyTextMessage(entryId));
                break;
        }
    }

    // The sound references of the mod entry stay; an empty femaleText of the
    // destination entry empties the mod entry's one.
    void TakeTranslation(MatchOutcome outcome, int position, const MatchCandidate& best) {
        CountAccepted(best.referenceFile);
        const std::string& referenceName = references.Names()[best.referenceFile];
        std::string message = MatchFoundMessage(outcome, referenceName, best);
        if (options.lineInfoOnly) {
            modFile.AddCommentAt(position, message);
            return;
        }
        const TraEntry translated = references.FindTranslated(best.referenceFile, best.referenceId);
        if (!translated) {
            modFile.AddCommentAt(
                position, MissingTranslationMessage(outcome, referenceName, best.referenceId));
            return;
        }
        modFile.SetTextsAt(position, translated.MaleText(), translated.FemaleText());
        if (options.commentMode == CommentPerfectMatch) {
            modFile.AddCommentAt(position, message);
        }
    }

    void CountAccepted(std::uint32_t referenceFile) {
        std::vector<std::int32_t>& accepted = worker.AcceptedByReferenceFile();
        if (accepted.size() <= referenceFile) {
            accepted.resize(referenceFile + 1, 0);
        }
        ++accepted[referenceFile];
    }

    // The entry worked on counts from 1; once the file is done it is the last.
    void ShowProgress(std::string_view verb, std::int32_t percent) {
        const bool done = verb == "Processed";
        worker.Progress().SetEntryProgress(
            std::string(verb) + " entry " + std::to_string(processed) + " / " +
                std::to_string(total) + " (" + std::to_string(counters.exactCount) + " / " +
                std::to_string(counters.veryLikelyCount) + " / " +
                std::to_string(counters.likelyCount) + ")",
            percent, done ? processed : processed + 1, total, Translated() - translatedBefore);
    }

    // Entries whose texts were taken from the reference, over the whole batch.
    std::int32_t Translated() const { return counters.exactCount + counters.veryLikelyCount; }

    PatchSummary Summary() const {
        return {processed,
                total,
                counters.exactCount,
                counters.veryLikelyCount,
                counters.likelyCount,
                counters.emptyCount};
    }

    JobWorker& worker;
    const RecoveryOptions& options;
    BatchCounters& counters;
    TraFile& modFile;
    const ReferenceSearch& search;
    const ReferenceSet& references;
    std::span<const std::string> patchNames;  // empty with a single reference file
    std::string source;                       // of the translations, for the patch
    std::int32_t total = 0;
    std::int32_t translatedBefore = 0;  // by the files before this one
    std::int32_t processed = 0;
    std::size_t searched = 0;  // results taken from the search ahead
};

}  // namespace

std::unique_ptr<ReferenceSearch> MakeReferenceSearch(const ReferenceSet& references,
                                                     const ReferenceIndex& index,
                                                     const RecoveryOptions& options) {
    const SearchSettings& settings = options.search;
    if (!options.exhaustiveSearch) {
        try {
            return std::make_unique<IndexedReferenceSearch>(references, index, settings);
        } catch (const std::bad_alloc&) {
            // The linear search needs no memory of its own and finds the same.
        }
    }
    return std::make_unique<LinearReferenceSearch>(references, index, settings);
}

int RecoverFile(JobWorker& worker, TraFile& modFile, const ReferenceSearch& search,
                const ReferenceSet& references) {
    FileRecovery(worker, modFile, search, references).Run();
    return 0;
}

int RecoverFile(JobWorker& worker, TraFile& modFile, const ReferenceSet& references) {
    std::unique_ptr<ReferenceSearch> search =
        MakeReferenceSearch(references, worker.Index(), worker.Options());
    return RecoverFile(worker, modFile, *search, references);
}

int RecoverFile(JobWorker& worker, TraFile& modFile, const TraFile& referenceOriginal,
                const TraFile& referenceTranslated) {
    return RecoverFile(worker, modFile,
                       ReferenceSet::Single(referenceOriginal, &referenceTranslated));
}

}  // namespace wordgleaner
