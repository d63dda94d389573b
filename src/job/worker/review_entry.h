#pragma once

#include <span>
#include <string>

#include "matching/match_candidate.h"
#include "review/review_record.h"

namespace wordgleaner {

class ReferenceSet;
class TraEntry;

// What the review tells of one mod entry, taken from its search result and
// the reference set: the best candidate's likeliness as a percentage (100
// for the exact scores), its sound mark, its reference file and the texts of
// that file's pair under its id, and the other candidates with theirs; and
// the other translations of an exact match's equal texts (`alternatives`,
// as ChooseAmongEqualTexts gives them) with their files and ids.
ReviewRecord MakeReviewRecord(const std::string& modFile, const TraEntry& entry,
                              MatchOutcome outcome, const SearchResult& result,
                              const ReferenceSet& references,
                              std::span<const MatchCandidate> alternatives = {});

}  // namespace wordgleaner
