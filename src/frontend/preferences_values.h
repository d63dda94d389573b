#pragma once

#include "job/recovery_options.h"
#include "job/reference_pair.h"

namespace wordgleaner {

// What a user sets in a window besides the four paths, and what the windows
// remember of it: the run's settings, whether the two reference fields name
// folders of reference files, and the further reference pairs searched after
// the fields' pair, in order.
struct PreferencesValues {
    RecoveryOptions options;
    bool referenceFolders = false;
    ReferencePairs furtherPairs;

    friend bool operator==(const PreferencesValues&, const PreferencesValues&) = default;
};

}  // namespace wordgleaner
