#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "store/tra_entry.h"

namespace wordgleaner {

// Scores of the exact pass: markers far above any likeliness fraction (at most
// 1.0), told from a likeliness by being at least CaseInsensitiveScore.
inline constexpr double ExactScore = 1000.0;
inline constexpr double CaseInsensitiveScore = 900.0;

// How many candidates a search keeps and a likely message lists.
inline constexpr int MaxCandidates = 5;

// One search result. A likeliness score is negative when the sound
// references were compared and differ: the sign marks the wrong sound, the
// magnitude is the likeliness. The id belongs to the reference file the
// candidate was found in, its index in the searched ReferenceSet: ids of
// different files never mix.
struct MatchCandidate {
    std::int32_t referenceId = TraNoId;
    double score = 0.0;
    std::uint32_t referenceFile = 0;

    friend bool operator==(const MatchCandidate&, const MatchCandidate&) = default;
};

// The filled slots come first, ordered from the best.
struct SearchResult {
    std::array<MatchCandidate, MaxCandidates> slots{};
    int count = 0;

    std::span<const MatchCandidate> Found() const& {
        return std::span<const MatchCandidate>(slots.data(), static_cast<std::size_t>(count));
    }
    // A view of a temporary result would dangle, as in a range-for over Search(...).Found().
    std::span<const MatchCandidate> Found() const&& = delete;
    const MatchCandidate& Best() const { return slots[0]; }

    friend bool operator==(const SearchResult&, const SearchResult&) = default;
};

// The verdict on one mod entry. Exact, AlmostExact and VeryLikely are the
// accepted outcomes, the only ones that can bring translated texts.
enum class MatchOutcome {
    Empty,
    NotFound,
    Exact,
    AlmostExact,
    VeryLikely,
    Likely,
};

// Only the best slot decides: a wrong-sound candidate in front makes the
// outcome Likely even when a right-sound one above the threshold follows.
// `veryLikelyThreshold` is in per cent.
MatchOutcome ClassifyMatch(const SearchResult& result, double veryLikelyThreshold);

}  // namespace wordgleaner
