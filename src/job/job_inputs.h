#pragma once

#include <string>

#include "job/recovery_options.h"

namespace wordgleaner {

// What a run works on, fixed when it starts. The paths are 8-bit strings in
// the system code page, used unchanged: nothing checks that they exist,
// differ or end without a separator.
struct JobInputs {
    std::string referenceOriginalPath;
    std::string referenceTranslatedPath;
    std::string modDirectory;
    std::string destinationDirectory;
    RecoveryOptions options;  // the run's own copy of the settings
};

}  // namespace wordgleaner
