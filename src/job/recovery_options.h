#pragma once

#include <cstdint>
#include <string>

#include "matching/search_settings.h"
#include "review/text_encoding.h"

namespace wordgleaner {

// What goes in front of the recovered entries.
enum CommentMode : std::int32_t {
    CommentNone = 0,
    CommentPerfectMatch = 1,  // "Add comment before entries with perfect match with reference"
    CommentMissingMatch = 2,  // "Add comment before entries without perfect or likely match"
};

// The settings of a run: a plain value, copied whole into each job. The
// values a front end may take are those ValidateOptions accepts.
struct RecoveryOptions {
    SearchSettings search;              // the id window, minLikeliness and compareSound
    double veryLikelyThreshold = 95.0;  // per cent
    bool lineInfoOnly = false;
    std::int32_t commentMode = CommentPerfectMatch;
    bool generatePatch = false;
    // Searches with the plain linear walk instead of the indexes: the same
    // results, far slower; kept to check the indexed search against.
    bool exhaustiveSearch = false;
    // Writes the review page and table beside the report; off by default,
    // so that a run writes only the files it always wrote.
    bool writeReview = false;
    // The Windows code page the review decodes texts from when they are not
    // UTF-8; the tra files themselves are never re-encoded.
    std::int32_t codePage = DefaultCodePage;
    // A mod file that fails to load or save is told in the report and
    // skipped, and the batch goes on with the next; the run still fails.
    bool keepGoing = false;
    // The tra files of every sub-folder of the mod folder and of the
    // reference folders are taken too, each named and written by its path
    // under its folder; off by default, so that a run writes only what it
    // always wrote (and tells which sub-folders it left out).
    bool includeSubFolders = false;
    // A review decisions file (Wordgleaner_decisions.csv, saved from a
    // review page) whose decisions take the place of the run's own outcome
    // for their entries; empty: none. A file that cannot be read or parsed
    // refuses the run before anything is written into the destination.
    std::string decisionsFile;
    // Among reference entries of equal texts, the match is the one in the
    // mod entry's own file and id, else of its id, else in its file, before
    // the first in set order; off by default, so that a run writes only what
    // it always wrote.
    bool preferSameId = false;

    friend bool operator==(const RecoveryOptions&, const RecoveryOptions&) = default;
};

}  // namespace wordgleaner
