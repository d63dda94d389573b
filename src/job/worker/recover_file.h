#pragma once

#include <string>
#include <vector>

#include "review/review_record.h"

namespace wordgleaner {

class AbortCheck;
class PatchFile;
class ReferenceSearch;
class ReferenceSet;
class SharedProgress;
class TraFile;
struct RecoveryOptions;
struct RecoveryTally;

// What the recovery of a mod file works with besides the file: what it
// reads, and where its results and progress go. The batch owns all of it;
// every part must outlive the call.
struct FileRecoveryContext {
    const RecoveryOptions& options;
    const ReferenceSet& references;
    const ReferenceSearch& search;  // over `references`
    RecoveryTally& tally;
    PatchFile& patch;  // receives the file's block while open
    // One record per mod entry with an id, in the order recovered; appended
    // to only when the options ask for a review.
    std::vector<ReviewRecord>& reviewRecords;
    SharedProgress& progress;  // the run's entryText and entryPercent
    AbortCheck& abortCheck;
};

// Recovers one loaded mod file in place: for every entry with an id it
// searches the reference set, classifies the best match, puts in the texts of
// the found id's entry in the translated counterpart of the file where it was
// found (when the match is accepted and lineInfoOnly is clear), adds the
// comment lines, which name that file, writes the patch lines, and keeps the
// tally and the run's entry progress. Changes go to the entry at the position
// being processed, so a file that holds an id twice gets each entry its own
// translation. Stops before the next entry once abort is requested, still
// closing the patch block.
// The entries are searched ahead on a few threads with the context's search;
// everything else happens in file order.
// `name` is how the patch lines and the review name the file: its path
// under the mod folder, '/' between the parts.
void RecoverFile(TraFile& modFile, const std::string& name, const FileRecoveryContext& context);
// The same for a file named by its file name.
void RecoverFile(TraFile& modFile, const FileRecoveryContext& context);

}  // namespace wordgleaner
