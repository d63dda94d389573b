#pragma once

#include <string>
#include <vector>

#include "store/tra_failure.h"

namespace wordgleaner {

// The report of a run that has started and not ended: "Process started, not
// ended." and that the run replaces it when it ends.
std::vector<std::string> StartReportLines();

// Makes the destination tell of this run only, once the run holds it and
// before it lists or loads anything: the report, patch, review page and
// table of an earlier run are removed, and the start report is written in
// the report's place, so that whatever way the run ends (a failure at any
// stage, a stop, kill -9) no output of another run can pass for its own. A
// file without any write permission was protected on purpose and stays;
// the run fails when it comes to write it. Returns the start report's
// failure: a run that cannot write its report does not go on.
TraFailure ReplaceEarlierOutputs(const std::string& destinationDirectory);

}  // namespace wordgleaner
