#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wordgleaner {

// The files a run writes into its destination beside the recovered ones,
// under these names whatever the run; a front end finds them here.
inline constexpr std::string_view ReportFileName = "Wordgleaner_report.txt";
inline constexpr std::string_view PatchFileName = "tp2patch.tp2";
// Held by a run for its whole life, so that no other run writes into its
// destination at the same time; removed when the run ends.
inline constexpr std::string_view LockFileName = "Wordgleaner.lock";

std::string ReportPath(const std::string& destinationDirectory);
std::string PatchPath(const std::string& destinationDirectory);
std::string LockPath(const std::string& destinationDirectory);
// The review page and table, written on request.
std::string ReviewPagePath(const std::string& destinationDirectory);
std::string ReviewTablePath(const std::string& destinationDirectory);

// The report, the patch, the review page and table, whatever the options: a
// run clears an earlier run's, so it may touch all of them.
std::vector<std::string> RunOutputPaths(const std::string& destinationDirectory);

}  // namespace wordgleaner
