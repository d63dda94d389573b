#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "matching/match_candidate.h"

namespace wordgleaner {

// The lines of one mod file's block in the TP2 patch. Accepted outcomes give
// live "\tSTRING_SET ~mod id~ @reference id" commands; everything else is a
// "//" comment of the patch. Every line ends with a line break. File names
// are copied as data, so a '%' in a name reaches the file unchanged.

std::string PatchOpeningLine(std::string_view modName, std::string_view destinationName);

// The line, or for Likely the lines in slot order, of one mod entry.
// `referenceNames` is empty for a run with a single reference file, whose
// lines name none. With several, a reference id alone would be ambiguous, so
// every line that names one begins its note with the candidate's file,
// referenceNames[candidate.referenceFile]: "\tSTRING_SET ~1~ @5\t// dialog.tra:
// Exact match". The name stays inside the line's "//" comment, so the
// command itself reads as it always did.
std::string PatchEntryLines(MatchOutcome outcome, std::int32_t entryId, const SearchResult& result,
                            std::span<const std::string> referenceNames = {});

// The line of an entry a reviewer decided, in place of PatchEntryLines: a
// live "\tSTRING_SET ~mod id~ @reference id\t// Accepted in review" for the
// accepted candidate, the same line commented out for a rejected one, and
// "//\tText N edited in review" for an edited text, which no reference id
// holds. The candidate's file is named as PatchEntryLines names it.
std::string PatchAcceptedInReviewLine(std::int32_t entryId, const MatchCandidate& candidate,
                                      std::span<const std::string> referenceNames = {});
std::string PatchRejectedInReviewLine(std::int32_t entryId, const MatchCandidate& candidate,
                                      std::span<const std::string> referenceNames = {});
std::string PatchEditedInReviewLine(std::int32_t entryId);

// The counts of the closing summary: the first two of this file, the others
// of the whole batch so far.
struct PatchSummary {
    std::int32_t processed = 0;
    std::int32_t total = 0;
    std::int32_t exact = 0;
    std::int32_t veryLikely = 0;
    std::int32_t likely = 0;
    std::int32_t empty = 0;
};

std::string PatchClosingLines(const PatchSummary& summary, std::string_view modName,
                              std::string_view destinationName, bool interrupted);

}  // namespace wordgleaner
