#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "matching/match_candidate.h"

namespace wordgleaner {

// The comments put in front of recovered entries. Each ends with a line
// break except the not-found one; the tra file store turns every line into a
// "// " comment line. Names and texts are copied as data, never as formats.

// For an accepted outcome (Exact, AlmostExact, VeryLikely) of `best`; empty
// for any other outcome.
std::string MatchFoundMessage(MatchOutcome outcome, std::string_view referenceName,
                              const MatchCandidate& best);

// An accepted match whose id the destination-language reference lacks.
std::string MissingTranslationMessage(MatchOutcome outcome, std::string_view referenceName,
                                      std::int32_t bestId);

// One line per candidate, in slot order, likeliness without its sign; each
// names its reference file, referenceNames[candidate.referenceFile].
std::string LikelyMessage(std::span<const std::string> referenceNames,
                          std::span<const MatchCandidate> candidates);

std::string NotFoundMessage();

std::string EmptyTextMessage(std::int32_t entryId);

// In place of the run's own comment, for an entry a reviewer decided: the
// candidate whose translation was put in, or the one turned down.
std::string AcceptedInReviewMessage(std::string_view referenceName, std::int32_t referenceId);
std::string RejectedInReviewMessage(std::string_view referenceName, std::int32_t referenceId);
std::string EditedInReviewMessage();

// The likeliness of a candidate as the messages show it: 100 × |score| with
// one decimal, and whether its sound reference was wrong.
std::string LikelinessPercent(const MatchCandidate& candidate);
std::string_view WrongSoundMark(const MatchCandidate& candidate);

}  // namespace wordgleaner
