#include "job/worker/review_entry.h"

#include <cmath>

#include "matching/likeliness_formula.h"
#include "matching/reference_set.h"
#include "store/tra_file.h"

namespace wordgleaner {

namespace {

// The exact scores are markers, not fractions: both mean the whole text.
double LikelinessPercent(double score) {
    if (score >= CaseInsensitiveScore) {
        return ScoreToPercent(1.0);
    }
    return ScoreToPercent(std::fabs(score));
}

std::string MaleTextOf(const TraFile& file, std::int32_t id) {
    return std::string(file.Find(id).MaleText());
}

bool IsAccepted(MatchOutcome outcome) {
    return outcome == MatchOutcome::Exact || outcome == MatchOutcome::AlmostExact ||
           outcome == MatchOutcome::VeryLikely;
}

}  // namespace

ReviewRecord MakeReviewRecord(const std::string& modFile, const TraEntry& entry,
                              MatchOutcome outcome, const SearchResult& result,
                              const ReferenceSet& references,
                              std::span<const MatchCandidate> alternatives) {
    ReviewRecord record;
    record.modFile = modFile;
    record.id = entry.Id();
    record.outcome = outcome;
    record.modText = std::string(entry.MaleText());
    if (outcome == MatchOutcome::Empty || result.count == 0) {
        return record;
    }
    const MatchCandidate& best = result.Best();
    record.wrongSound = best.score < 0.0;
    record.likeliness = LikelinessPercent(best.score);
    const ReferenceFile& bestFile = references.File(best.referenceFile);
    record.referenceFile = bestFile.name;
    record.referenceId = best.referenceId;
    record.referenceText = MaleTextOf(*bestFile.original, best.referenceId);
    const TraEntry translated = references.FindTranslated(best.referenceFile, best.referenceId);
    record.translatedText = std::string(translated.MaleText());
    record.translatedFemaleText = std::string(translated.FemaleText());
    record.missingTranslation = IsAccepted(outcome) && !translated;
    for (const MatchCandidate& other : result.Found().subspan(1)) {
        const ReferenceFile& otherFile = references.File(other.referenceFile);
        record.otherCandidates.push_back({otherFile.name, other.referenceId,
                                          LikelinessPercent(other.score), other.score < 0.0,
                                          MaleTextOf(*otherFile.original, other.referenceId)});
    }
    for (const MatchCandidate& alternative : alternatives) {
        const TraEntry texts =
            references.FindTranslated(alternative.referenceFile, alternative.referenceId);
        record.alternatives.push_back(
            {std::string(texts.MaleText()), std::string(texts.FemaleText()),
             references.File(alternative.referenceFile).name, alternative.referenceId});
    }
    return record;
}

}  // namespace wordgleaner
