#pragma once

#include <string>

#include "store/tra_error.h"

namespace wordgleaner {

// Makes the folders under `destination` that the recovered file at
// `relativeFile` ("d/e/x.tra") goes into, those that are missing only: a
// run creates a sub-folder of its destination when it writes a file into
// it, and only then. TraOk at once for a file directly in the destination.
// A part of the path that is there but is no folder, or a folder that
// cannot be created, fails with TraOpenFailed and `failureText` naming it
// with the reason; the folders made before it stay.
TraError MakeDestinationFolders(const std::string& destination, const std::string& relativeFile,
                                std::string& failureText);

}  // namespace wordgleaner
