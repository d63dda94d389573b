#pragma once

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

}  // namespace wordgleaner
