#include "review/review_record.h"

namespace wordgleaner {

ReviewOutcome ReviewOutcomeOf(const ReviewRecord& record) {
    switch (record.outcome) {
        case MatchOutcome::Empty:
            return ReviewOutcome::Empty;
        case MatchOutcome::NotFound:
            return ReviewOutcome::NotFound;
        case MatchOutcome::Likely:
            return record.wrongSound ? ReviewOutcome::LikelyWrongSound : ReviewOutcome::Likely;
        case MatchOutcome::Exact:
        case MatchOutcome::AlmostExact:
        case MatchOutcome::VeryLikely:
            break;
    }
    if (record.missingTranslation) {
        return ReviewOutcome::MissingTranslation;
    }
    const bool several = !record.alternatives.empty();
    if (record.outcome == MatchOutcome::Exact) {
        return several ? ReviewOutcome::ExactOtherTranslations : ReviewOutcome::Exact;
    }
    if (record.outcome == MatchOutcome::AlmostExact) {
        return several ? ReviewOutcome::ExactUpToCaseOtherTranslations
                       : ReviewOutcome::ExactUpToCase;
    }
    return ReviewOutcome::VeryLikely;
}

std::string RowOutcomeLabel(const ReviewRecord& record) {
    const ReviewOutcome outcome = ReviewOutcomeOf(record);
    if (outcome != ReviewOutcome::ExactOtherTranslations &&
        outcome != ReviewOutcome::ExactUpToCaseOtherTranslations) {
        return std::string(OutcomeLabel(outcome));
    }
    const std::size_t count = record.alternatives.size();
    return std::string(OutcomeLabel(outcome == ReviewOutcome::ExactOtherTranslations
                                        ? ReviewOutcome::Exact
                                        : ReviewOutcome::ExactUpToCase)) +
           ", " + std::to_string(count) +
           (count == 1 ? " other translation" : " other translations");
}

bool NeedsReview(ReviewOutcome outcome) {
    return outcome != ReviewOutcome::Exact;
}

std::string_view OutcomeLabel(ReviewOutcome outcome) {
    switch (outcome) {
        case ReviewOutcome::Exact:
            return "exact";
        case ReviewOutcome::ExactUpToCase:
            return "exact up to case";
        case ReviewOutcome::ExactOtherTranslations:
            return "exact, other translations";
        case ReviewOutcome::ExactUpToCaseOtherTranslations:
            return "exact up to case, other translations";
        case ReviewOutcome::VeryLikely:
            return "very likely";
        case ReviewOutcome::Likely:
            return "likely";
        case ReviewOutcome::LikelyWrongSound:
            return "likely, wrong sound";
        case ReviewOutcome::MissingTranslation:
            return "missing translation";
        case ReviewOutcome::NotFound:
            return "not found";
        case ReviewOutcome::Empty:
            return "empty";
    }
    return "";
}

std::string_view OutcomeKey(ReviewOutcome outcome) {
    switch (outcome) {
        case ReviewOutcome::Exact:
            return "exact";
        case ReviewOutcome::ExactUpToCase:
            return "exact-case";
        case ReviewOutcome::ExactOtherTranslations:
            return "exact-other";
        case ReviewOutcome::ExactUpToCaseOtherTranslations:
            return "exact-case-other";
        case ReviewOutcome::VeryLikely:
            return "very-likely";
        case ReviewOutcome::Likely:
            return "likely";
        case ReviewOutcome::LikelyWrongSound:
            return "likely-wrong-sound";
        case ReviewOutcome::MissingTranslation:
            return "missing-translation";
        case ReviewOutcome::NotFound:
            return "not-found";
        case ReviewOutcome::Empty:
            return "empty";
    }
    return "";
}

}  // namespace wordgleaner
