#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "matching/match_candidate.h"

namespace wordgleaner {

// A candidate of a search other than the best one, as the review lists it.
struct ReviewCandidate {
    std::string referenceFile;
    std::int32_t referenceId = TraNoId;
    double likeliness = 0.0;  // per cent, without the wrong-sound sign
    bool wrongSound = false;
    std::string text;   // the reference entry's text, bytes as read
    std::string sound;  // the reference entry's sound reference
    // What choosing this candidate would put in.
    std::string translatedText;
    std::string translatedFemaleText;
};

// Another translation of the same text, found under another id or in
// another reference file: a choice the reviewer may take instead of the
// one put in.
struct ReviewAlternative {
    std::string translatedText;
    std::string translatedFemaleText;
    std::string referenceFile;
    std::int32_t referenceId = TraNoId;
};

// How one mod entry was matched, as plain data for the review page and
// table. Texts are bytes as read from the tra files, in their code page or
// UTF-8; the writers decode them.
struct ReviewRecord {
    std::string modFile;  // file name without the directory
    std::int32_t id = 0;
    MatchOutcome outcome = MatchOutcome::NotFound;
    // The best candidate's sound reference differs from the mod entry's.
    bool wrongSound = false;
    // An accepted match whose id the translated reference lacks: nothing was
    // put in.
    bool missingTranslation = false;
    // Of the best candidate, in per cent (100 for exact matches); only
    // meaningful when HasBest.
    double likeliness = 0.0;
    std::string referenceFile;
    std::int32_t referenceId = TraNoId;
    std::string modText;
    std::string referenceText;
    // The translation put in, or for a likely match the one that would be.
    std::string translatedText;
    std::string translatedFemaleText;
    // Sound references of the mod entry and of the best candidate, shown
    // beside their texts: a "wrong sound" is judged by them.
    std::string modSound;
    std::string referenceSound;
    std::vector<ReviewCandidate> otherCandidates;
    // For an exact match (up to case included): each translation other than
    // the one put in that an equal reference text carries, once.
    std::vector<ReviewAlternative> alternatives;

    bool HasBest() const { return referenceId != TraNoId; }
};

// What the review tells of an entry, finer than the match outcome: a likely
// match with the wrong sound and an accepted match without translation are
// told apart because the translator handles them differently, and so is an
// exact match whose equal reference texts carry other translations, since
// the translator may want one of those.
enum class ReviewOutcome {
    Exact,
    ExactUpToCase,
    ExactOtherTranslations,
    ExactUpToCaseOtherTranslations,
    VeryLikely,
    Likely,
    LikelyWrongSound,
    MissingTranslation,
    NotFound,
    Empty,
};

inline constexpr int ReviewOutcomeCount = 10;

ReviewOutcome ReviewOutcomeOf(const ReviewRecord& record);

// Exact matches without other translations need no review; every other
// entry is a row of the page. A match up to case is one: the translator may
// reject a change of case.
bool NeedsReview(ReviewOutcome outcome);

// In plain words, as the page and the table show it: "exact up to case".
std::string_view OutcomeLabel(ReviewOutcome outcome);

// The outcome as a row of the page tells it: the label, with the number of
// other translations for an exact match that has some ("exact, 2 other
// translations").
std::string RowOutcomeLabel(const ReviewRecord& record);

// A short key without spaces, for the page's data attributes and the
// filters in its address: "likely-wrong-sound".
std::string_view OutcomeKey(ReviewOutcome outcome);

// The run's settings as the page shows them, one label and value per line.
struct ReviewSetting {
    std::string label;
    std::string value;
};

// What the page says of the run besides the entries; its counts are taken
// from the records.
struct ReviewSummary {
    std::vector<ReviewSetting> settings;
};

}  // namespace wordgleaner
