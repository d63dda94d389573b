#pragma once

#include <vector>

#include "job/job_inputs.h"
#include "job/sub_folder_note.h"

namespace wordgleaner {

// What a run without includeSubFolders leaves out: the sub-folders directly
// in the mod folder, then those directly in each folder pair's original
// folder in set order, whose trees hold tra files, each with the number of
// tra files the setting would add from there. A name is given once up to
// ASCII case, with the count of the first folder that holds it (of all its
// case variants there). What cannot be listed is left out.
std::vector<UnsearchedSubFolder> FindUnsearchedSubFolders(const JobInputs& inputs);

}  // namespace wordgleaner
