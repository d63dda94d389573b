#pragma once

#include <memory>

#include "matching/reference_search.h"

namespace wordgleaner {

class JobWorker;
class TraFile;
struct RecoveryOptions;

// The search a run uses over the reference set and its index: the indexed
// one, or the linear one when the options ask for it or the indexes do not
// fit in memory (the results are the same). Both must outlive it.
std::unique_ptr<ReferenceSearch> MakeReferenceSearch(const ReferenceSet& references,
                                                     const ReferenceIndex& index,
                                                     const RecoveryOptions& options);

// Recovers one loaded mod file in place: for every entry with an id it
// searches the reference set, classifies the best match, puts in the texts of
// the found id's entry in the translated counterpart of the file where it was
// found (when the match is accepted and lineInfoOnly is clear), adds the
// comment lines, which name that file, writes
// the patch lines when the worker's patch file is open, and keeps the
// worker's counters and the run's entryText and entryPercent. Changes go to the entry at the
// position being processed, so a file that holds an id twice gets each entry
// its own translation. Stops before the next entry once abort is requested,
// still closing the patch block. Always returns 0.
// The entries are searched ahead on a few threads with `search`, which must
// search `references`; everything else happens in file order.
int RecoverFile(JobWorker& worker, TraFile& modFile, const ReferenceSearch& search,
                const ReferenceSet& references);

// The same with the search MakeReferenceSearch makes over `references` and
// the worker's index.
int RecoverFile(JobWorker& worker, TraFile& modFile, const ReferenceSet& references);

// The same against a single reference pair of files.
int RecoverFile(JobWorker& worker, TraFile& modFile, const TraFile& referenceOriginal,
                const TraFile& referenceTranslated);

}  // namespace wordgleaner
