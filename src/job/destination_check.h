#pragma once

#include <string>

#include "job/job_inputs.h"
#include "store/tra_error.h"

namespace wordgleaner {

enum class DestinationFault {
    None,
    Missing,         // the destination does not exist or is no folder
    NotWritable,     // no file can be created in it
    IsModFolder,     // each recovered file would replace the mod file it came from
    HoldsReference,  // a recovered file could replace a reference file of the run
    // A file the run writes is, through a link or under a second name, a
    // file it reads.
    SharesInputFile,
};

struct DestinationCheck {
    DestinationFault fault = DestinationFault::None;
    std::string message;  // for the user, as it stands; empty without a fault

    // A run cannot write there at all: it must not start.
    bool Refused() const {
        return fault == DestinationFault::Missing || fault == DestinationFault::NotWritable;
    }
    // A run would overwrite what it reads: only on the user's explicit say.
    bool NeedsConsent() const {
        return fault == DestinationFault::IsModFolder ||
               fault == DestinationFault::HoldsReference ||
               fault == DestinationFault::SharesInputFile;
    }
    // The status of a run refused for this fault.
    TraError Status() const { return Refused() ? TraOpenFailed : TraOk; }
};

// Looks at the destination before anything is loaded, so that a run does
// not stop at its first save, or replace the files it reads: the folders
// are compared, then every input (each mod file, each reference file) with
// every file of the destination the run would write or remove, as files,
// whatever their names. Every front end asks here, and tells the message as
// it stands.
// With sub-folders included, a destination anywhere inside the mod folder's
// tree is IsModFolder, and one inside a reference folder's tree
// HoldsReference: the run would read its own outputs back; the inputs and
// outputs compared are those of the whole trees.
DestinationCheck CheckDestination(const JobInputs& inputs);

}  // namespace wordgleaner
