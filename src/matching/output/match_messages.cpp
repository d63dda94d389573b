#include "matching/output/match_messages.h"

#include <cmath>

#include "matching/output/number_format.h"

namespace wordgleaner {

namespace {

std::string FoundIn(std::string_view referenceName, std::int32_t id) {
    std::string text = " found in file ";
    text += referenceName;
    text += " at Id ";
    text += std::to_string(id);
    return text;
}

}  // namespace

std::string LikelinessPercent(const MatchCandidate& candidate) {
    return FormatLikeliness(std::abs(candidate.score));
}

std::string_view WrongSoundMark(const MatchCandidate& candidate) {
    return candidate.score < 0 ? " but wrong sound" : "";
}

std::string MatchFoundMessage(MatchOutcome outcome, std::string_view referenceName,
                              const MatchCandidate& best) {
    switch (outcome) {
        case MatchOutcome::Exact:
            return "Wordgleaner: case sensitive exact match" +
                   FoundIn(referenceName, best.referenceId) + "\n";
        case MatchOutcome::AlmostExact:
            return "Wordgleaner: case insensitive exact match" +
                   FoundIn(referenceName, best.referenceId) + "\n";
        case MatchOutcome::VeryLikely:
            return "Wordgleaner: Very likely string" + FoundIn(referenceName, best.referenceId) +
                   ", likeliness " + FormatLikeliness(best.score) + " %\n";
        default:
            return {};
    }
}

std::string MissingTranslationMessage(MatchOutcome outcome, std::string_view referenceName,
                                      std::int32_t bestId) {
    std::string_view kind = outcome == MatchOutcome::VeryLikely ? "Very likely" : "Exact";
    return "Wordgleaner: Warning! " + std::string(kind) + " match" +
           FoundIn(referenceName, bestId) + ", but missing in the reference translated file\n";
}

std::string LikelyMessage(std::span<const std::string> referenceNames,
                          std::span<const MatchCandidate> candidates) {
    std::string message;
    for (const MatchCandidate& candidate : candidates) {
        message += "Wordgleaner: Likely string" +
                   FoundIn(referenceNames[candidate.referenceFile], candidate.referenceId) +
                   ", likeliness " + LikelinessPercent(candidate) + " %";
        message += WrongSoundMark(candidate);
        message += '\n';
    }
    return message;
}

std::string NotFoundMessage() {
    return "Wordgleaner: Exact match not found";
}

std::string EmptyTextMessage(std::int32_t entryId) {
    return "Wordgleaner: empty string at Id " + std::to_string(entryId) + "\n";
}

std::string AcceptedInReviewMessage(std::string_view referenceName, std::int32_t referenceId) {
    return "Wordgleaner: Accepted in review: string" + FoundIn(referenceName, referenceId) + "\n";
}

std::string RejectedInReviewMessage(std::string_view referenceName, std::int32_t referenceId) {
    return "Wordgleaner: Rejected in review: string" + FoundIn(referenceName, referenceId) + "\n";
}

std::string EditedInReviewMessage() {
    return "Wordgleaner: Translation edited in review\n";
}

}  // namespace wordgleaner
