#include "job/worker/recover_file.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "job/progress_percent.h"
#include "job/recovery_options.h"
#include "job/worker/abort_check.h"
#include "job/worker/patch_file.h"
#include "job/worker/recovery_tally.h"
#include "job/worker/review_decisions.h"
#include "job/worker/review_entry.h"
#include "job/worker/shared_progress.h"
#include "matching/equal_texts.h"
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
    FileRecovery(TraFile& modFile, const std::string& name, const FileRecoveryContext& context)
        : context(context),
          options(context.options),
          references(context.references),
          counters(context.tally.counters),
          modFile(modFile),
          name(name),
          patchNames(references.FileCount() > 1 ? references.Names()
                                                : std::span<const std::string>()),
          source(TranslationsSource(references)),
          total(modFile.GetEntryCount()),
          translatedBefore(Translated()) {}

    void Run() {
        context.patch.Write(PatchOpeningLine(name, source));
        SearchAhead ahead(context.search, QueriesOf(modFile));
        // Layout entries change nothing, so the abort request is read only
        // before the entries that carry an id.
        for (const IdEntry& item : IdEntries(modFile)) {
            if (context.abortCheck.RequestedAt(CheckPoint::BeforeEntry)) {
                ahead.Cancel();
                break;
            }
            RecoverEntry(item.position, item.entry, ahead);
        }
        ShowProgress("Processed");
        context.patch.Write(
            PatchClosingLines(Summary(), name, source, context.abortCheck.Requested()));
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
        ShowProgress("Processing");
        ++counters.entriesProcessed;

        const std::int32_t entryId = entry.Id();
        SearchResult result;
        MatchOutcome outcome = MatchOutcome::Empty;
        if (!entry.MaleText().empty()) {
            result = ahead.Take(searched++);
            outcome = ClassifyMatch(result, options.veryLikelyThreshold);
        }
        const std::vector<MatchCandidate> alternatives = SettleEqualTexts(entry, outcome, result);
        KeepForReview(entry, outcome, result, alternatives);
        Count(outcome, result);
        if (std::optional<DecisionToApply> decision = Decided(entry)) {
            ApplyDecision(*decision, position, entryId);
        } else {
            ActOn(outcome, position, entryId, result);
            context.patch.Write(PatchEntryLines(outcome, entryId, result, patchNames));
        }
        ++processed;
    }

    std::optional<DecisionToApply> Decided(const TraEntry& entry) {
        if (context.decisions == nullptr) {
            return std::nullopt;
        }
        return context.decisions->Take(name, entry, references);
    }

    // The counters and the patch's summaries stay those of the search, so
    // that a run with decisions is read as the same run; only the entry's
    // texts, comment and patch line are the reviewer's.
    void ApplyDecision(const DecisionToApply& decision, int position, std::int32_t entryId) {
        if (!options.lineInfoOnly && decision.kind != DecisionKind::Reject) {
            modFile.SetTextsAt(position, decision.maleText, decision.femaleText);
        }
        if (options.lineInfoOnly || options.commentMode != CommentNone) {
            modFile.AddCommentAt(position, DecisionMessage(decision));
        }
        context.patch.Write(DecisionPatchLine(decision, entryId));
    }

    std::string DecisionMessage(const DecisionToApply& decision) const {
        switch (decision.kind) {
            case DecisionKind::Accept:
                return AcceptedInReviewMessage(references.Names()[decision.referenceFile],
                                               decision.referenceId);
            case DecisionKind::Reject:
                return RejectedInReviewMessage(references.Names()[decision.referenceFile],
                                               decision.referenceId);
            case DecisionKind::Edit:
                break;
        }
        return EditedInReviewMessage();
    }

    std::string DecisionPatchLine(const DecisionToApply& decision, std::int32_t entryId) const {
        const MatchCandidate candidate{decision.referenceId, ExactScore, decision.referenceFile};
        switch (decision.kind) {
            case DecisionKind::Accept:
                return PatchAcceptedInReviewLine(entryId, candidate, patchNames);
            case DecisionKind::Reject:
                return PatchRejectedInReviewLine(entryId, candidate, patchNames);
            case DecisionKind::Edit:
                break;
        }
        return PatchEditedInReviewLine(entryId);
    }

    // The exact pass takes the first of the equal texts; which of them is
    // the match, and which other translations they carry, is settled here
    // only when the preference or the review asks, so that other runs
    // search no more than they always did. Puts the match in the result's
    // first slot and returns the other translations.
    std::vector<MatchCandidate> SettleEqualTexts(const TraEntry& entry, MatchOutcome outcome,
                                                 SearchResult& result) {
        const bool exact = outcome == MatchOutcome::Exact || outcome == MatchOutcome::AlmostExact;
        if (!exact || !(options.preferSameId || options.writeReview)) {
            return {};
        }
        const double score = result.Best().score;
        const std::vector<std::uint32_t> equalTexts =
            context.search.EqualTexts(EqualTextKindOf(score), entry.MaleText(), entry.MaleSound());
        if (equalTexts.empty()) {
            return {};
        }
        EqualTextChoice choice = ChooseAmongEqualTexts(references, equalTexts, score,
                                                       {name, entry.Id()}, options.preferSameId);
        result.slots[0] = choice.chosen;
        context.tally.ambiguousCount += choice.Ambiguous() ? 1 : 0;
        return std::move(choice.alternatives);
    }

    // Before the entry's texts are replaced: the review shows the mod text.
    void KeepForReview(const TraEntry& entry, MatchOutcome outcome, const SearchResult& result,
                       std::span<const MatchCandidate> alternatives) {
        if (options.writeReview) {
            context.reviewRecords.push_back(
                MakeReviewRecord(name, entry, outcome, result, references, alternatives));
        }
    }

    void Count(MatchOutcome outcome, const SearchResult& result) {
        switch (outcome) {
            case MatchOutcome::Exact:
            case MatchOutcome::AlmostExact:
                ++counters.exactCount;
                context.tally.CountAccepted(result.Best().referenceFile);
                break;
            case MatchOutcome::VeryLikely:
                ++counters.veryLikelyCount;
                context.tally.CountAccepted(result.Best().referenceFile);
                break;
            case MatchOutcome::Likely:
                ++counters.likelyCount;
                break;
            case MatchOutcome::NotFound:
                break;
            case MatchOutcome::Empty:
                ++counters.emptyCount;
                break;
        }
    }

    void ActOn(MatchOutcome outcome, int position, std::int32_t entryId,
               const SearchResult& result) {
        switch (outcome) {
            case MatchOutcome::Exact:
            case MatchOutcome::AlmostExact:
            case MatchOutcome::VeryLikely:
                TakeTranslation(outcome, position, result.Best());
                break;
            case MatchOutcome::Likely:
                modFile.AddCommentAt(position, LikelyMessage(references.Names(), result.Found()));
                break;
            case MatchOutcome::NotFound:
                if (!options.lineInfoOnly && options.commentMode == CommentMissingMatch) {
                    modFile.AddCommentAt(position, NotFoundMessage());
                }
                break;
            case MatchOutcome::Empty:
                modFile.AddCommentAt(position, EmptyTextMessage(entryId));
                break;
        }
    }

    // The sound references of the mod entry stay; an empty femaleText of the
    // destination entry empties the mod entry's one.
    void TakeTranslation(MatchOutcome outcome, int position, const MatchCandidate& best) {
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

    // The entry worked on counts from 1; once the file is done it is the last.
    void ShowProgress(std::string_view verb) {
        const bool done = verb == "Processed";
        context.progress.SetEntryProgress(
            std::string(verb) + " entry " + std::to_string(processed) + " / " +
                std::to_string(total) + " (" + std::to_string(counters.exactCount) + " / " +
                std::to_string(counters.veryLikelyCount) + " / " +
                std::to_string(counters.likelyCount) + ")",
            WholePercent(processed, total), done ? processed : processed + 1, total,
            Translated() - translatedBefore);
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

    const FileRecoveryContext& context;
    const RecoveryOptions& options;
    const ReferenceSet& references;
    BatchCounters& counters;
    TraFile& modFile;
    const std::string& name;
    std::span<const std::string> patchNames;  // empty with a single reference file
    std::string source;                       // of the translations, for the patch
    std::int32_t total = 0;
    std::int32_t translatedBefore = 0;  // by the files before this one
    std::int32_t processed = 0;
    std::size_t searched = 0;  // results taken from the search ahead
};

}  // namespace

void RecoverFile(TraFile& modFile, const std::string& name, const FileRecoveryContext& context) {
    FileRecovery(modFile, name, context).Run();
}

void RecoverFile(TraFile& modFile, const FileRecoveryContext& context) {
    RecoverFile(modFile, modFile.GetName(), context);
}

}  // namespace wordgleaner
