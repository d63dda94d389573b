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
    if (record.outcome == MatchOutcome::Exact) {
        return ReviewOutcome::Exact;
    }
    return record.outcome == MatchOutcome::AlmostExact ? ReviewOutcome::ExactUpToCase
                                                       : ReviewOutcome::VeryLikely;
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
