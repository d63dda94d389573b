#pragma once

#include <optional>
#include <ostream>
#include <string>

#include <utility>
#include <vector>

#include "job/recovery_options.h"
#include "job/reference_pair.h"

namespace wordgleaner {

// What the command line asks for: the four paths of a run, the reference
// pairs of lower priority, and its settings.
struct CliRequest {
    std::string referenceOriginal;
    std::string referenceTranslated;
    std::vector<std::pair<std::string, std::string>> furtherReferences;  // --also-reference
    std::string modDirectory;
    std::string destinationDirectory;
    RecoveryOptions options;
    // The user accepts a destination that is the mod folder or holds a
    // reference file, whose files the run then replaces.
    bool inPlace = false;

    // Every reference pair in priority order: REF_ORIGINAL and REF_TRANSLATED
    // first, then each --also-reference in the order given.
    ReferencePairs References() const;
};

// The usual exit code of a command-line program called the wrong way; also
// that of a run refused for its destination.
inline constexpr int UsageExitCode = 64;

// --help or --version could not be written (EX_IOERR of the BSD exit codes).
inline constexpr int OutputFailedExitCode = 74;

struct CliParseResult {
    std::optional<CliRequest> request;  // present when a run should follow
    int exitCode = 0;                   // otherwise the program ends with this code
};

// Reads the arguments. --help and --version print to `out` and end with 0,
// or with OutputFailedExitCode when that output fails (a full disk);
// bad options print the reasons and a usage line to `err` and end with
// UsageExitCode. The settings pass the checks of validate_options.h, with
// the messages the desktop program shows.
CliParseResult ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                std::ostream& err);

}  // namespace wordgleaner
