#pragma once

#include <span>
#include <string>
#include <string_view>

#include "review/review_record.h"
#include "store/tra_failure.h"

namespace wordgleaner {

inline constexpr std::string_view ReviewTableName = "Wordgleaner_review.csv";

// Writes the review table to `path`: comma-separated values as RFC 4180 has
// them, UTF-8 with a byte order mark, a header row, then one row per record
// in order: mod file, id, outcome, likeliness, reference file, reference id,
// mod text, reference text, translated text. Texts that are not UTF-8 are
// decoded from `codePage`. Its code is TraOpenFailed when the file cannot be
// created, TraWriteFailed when writing fails, with the system's reason;
// either way no table is left half-written and one that was there stays as
// it was.
TraFailure WriteReviewCsv(const std::string& path, std::span<const ReviewRecord> records,
                          int codePage);

}  // namespace wordgleaner
