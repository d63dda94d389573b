#pragma once

#include <string>

#include "job/reference_pair.h"

namespace wordgleaner {

// What a window checks of a reference pair before a run, in the words the
// user reads.

// Why a pair cannot be searched: a side left empty, a file beside a folder.
// Empty when the pair is fine. A missing side of the main pair is told by the
// run itself when it loads it.
std::string ReferencePairProblem(const ReferencePair& pair);

// The pair of the two reference fields: a pair problem, or, with folders
// chosen, a side that is no folder.
std::string MainReferencePairProblem(const ReferencePair& pair, bool folders);

// The further pairs were checked when they were added, but the disk may have
// changed since: each side must still name something.
std::string FurtherReferencePairProblem(const ReferencePair& pair);

}  // namespace wordgleaner
