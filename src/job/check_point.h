#pragma once

#include <functional>

namespace wordgleaner {

// The places where a running job looks at its abort request. A load or a
// save in progress is never cut short: the request takes effect at the next
// of these points.
enum class CheckPoint {
    AfterOriginalReference,    // the original-language reference has loaded
    AfterTranslatedReference,  // the destination-language reference has loaded
    BeforeFile,                // before each mod file of the batch
    BeforeEntry,               // before each entry of the file being recovered
};

// Called on the worker at each check point, just before the abort request is
// read; returning true requests the abort right there. Empty in the
// programs: tests use it to reach every abort point, or to hold the worker at
// one, with no timing involved.
using CheckPointHook = std::function<bool(CheckPoint)>;

}  // namespace wordgleaner
