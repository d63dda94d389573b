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

std::string MaleSoundOf(const TraFile& file, std::int32_t id) {
    return std::string(file.Find(id).MaleSound());
}

ReviewCandidate CandidateOf(const MatchCandidate& candidate, const ReferenceSet& references) {
    const ReferenceFile& file = references.File(candidate.referenceFile);
    const TraEntry translated =
        references.FindTranslated(candidate.referenceFile, candidate.referenceId);
    return {file.name,
            candidate.referenceId,
            LikelinessPercent(candidate.score),
            candidate.score < 0.0,
            MaleTextOf(*file.original, candidate.referenceId),
            MaleSoundOf(*file.original, candidate.referenceId),
            std::string(translated.MaleText()),
            std::string(translated.FemaleText())};
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
    record.modSound = std::string(entry.MaleSound());
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
    record.referenceSound = MaleSoundOf(*bestFile.original, best.referenceId);
    const TraEntry translated = references.FindTranslated(best.referenceFile, best.referenceId);
    record.translatedText = std::string(translated.MaleText());
    record.translatedFemaleText = std::string(translated.FemaleText());
    record.missingTranslation = IsAccepted(outcome) && !translated;
    for (const MatchCandidate& other : result.Found().subspan(1)) {
        record.otherCandidates.push_back(CandidateOf(other, references));
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
