#pragma once

#include <string>

#include "matching/match_candidate.h"
#include "review/review_record.h"

namespace wordgleaner {

class TraFile;
struct TraEntry;

// What the review tells of one mod entry, taken from its search result and
// the two references: the best candidate's likeliness as a percentage (100
// for the exact scores), its sound mark, the texts of the references under
// its id, and the other candidates with their texts.
ReviewRecord MakeReviewRecord(const std::string& modFile, const TraEntry& entry,
                              MatchOutcome outcome, const SearchResult& result,
                              const TraFile& referenceOriginal, const TraFile& referenceTranslated);

}  // namespace wordgleaner
