#pragma once

#include <span>
#include <string>
#include <string_view>

#include "review/review_record.h"
#include "store/tra_failure.h"

namespace wordgleaner {

inline constexpr std::string_view ReviewPageName = "Wordgleaner_review.html";

// Writes the review page to `path`: one self-contained HTML file with the
// run's settings and counts, a row for every entry that needs review (every
// outcome but the exact ones) with the words that differ between the mod
// text and the reference text marked, and the exact matches as a collapsed
// list. Texts that are not UTF-8 are decoded from `codePage`.
// Its code is TraOpenFailed when the file cannot be created, TraWriteFailed
// when writing fails, with the system's reason; either way no page is left
// half-written and one that was there stays as it was.
TraFailure WriteReviewHtml(const std::string& path, const ReviewSummary& summary,
                           std::span<const ReviewRecord> records, int codePage);

}  // namespace wordgleaner
