#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "job/progress_snapshot.h"
#include "store/tra_error.h"
#include "store/tra_failure.h"

namespace wordgleaner {

class ReferenceSet;

// The report's lines: "Process interrupted." after a stop, the run's
// progress and entries texts as they stand at its end, the file a stop cut
// short, the sub-folders the run left out (SubFoldersNotSearchedLine) when
// there are any, with several
// reference files how many texts each gave (its accepted matches, which add
// up to the summary's exact and very likely counts), then the skipped files
// and the translated reference files that nothing searched. A positive
// `severalTranslations` (matches whose equal texts carry other translations)
// adds its line after the sub-folders one.
std::vector<std::string> ReportLines(const ProgressSnapshot& end, const ReferenceSet& references,
                                     std::span<const std::int32_t> acceptedByReferenceFile,
                                     std::span<const std::string> ignoredReferences,
                                     std::int32_t severalTranslations = 0);

// Writes each line, ended, into the report at `path`, through a temporary
// file that replaces the report only once complete. On failure `failure`
// tells why.
TraError WriteReportFile(const std::string& path, std::span<const std::string> lines,
                         TraFailure& failure);

}  // namespace wordgleaner
