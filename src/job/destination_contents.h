#pragma once

#include <string>
#include <vector>

#include "job/job_inputs.h"

namespace wordgleaner {

// What a window needs to know of the destination before it asks the user
// anything: whether it is there at all, and which of its files a run would
// replace. The command line asks neither: it replaces, as scripts expect.

// True when nothing at all has the destination's name, so that creating it
// as a folder is the fix; a file of that name is no missing folder.
bool DestinationAbsent(const std::string& destination);

// Creates the destination folder and any folder above it that is missing.
// Empty on success, else a sentence for the user.
std::string CreateDestination(const std::string& destination);

// The files already in the destination that a run on these inputs would
// write over or clear, listed the way the run names its outputs: a recovered
// file for each tra file of the mod folder's listing (its whole tree with
// sub-folders included), then the report, the patch and the review page and
// table, which a run clears whatever its options. Paths as the run would
// write them. A mod folder that cannot be listed adds no recovered
// file: the run will tell that itself.
std::vector<std::string> OutputsARunWouldReplace(const JobInputs& inputs);

}  // namespace wordgleaner
