#pragma once

#include <string>

#include "job/recovery_options.h"
#include "job/reference_pair.h"

namespace wordgleaner {

// What a run works on, fixed when it starts. The paths are 8-bit strings in
// the system code page, used unchanged: nothing checks that they exist,
// differ or end without a separator.
// The first reference pair is the one a front end shows in its two fields.
struct JobInputs {
    ReferencePairs references;  // at least one pair, in priority order
    std::string modDirectory;
    std::string destinationDirectory;
    RecoveryOptions options;  // the run's own copy of the settings
};

}  // namespace wordgleaner
