#pragma once

#include <span>
#include <string>
#include <vector>

#include "job/reference_pair.h"
#include "matching/reference_set.h"
#include "store/tra_error.h"

namespace wordgleaner {

// One reference file of a run as found on disk.
struct ReferenceFilePaths {
    std::string original;
    std::string translated;  // empty: the translated folder has no counterpart
    // A folder pair's file by its path under the original folder, '/'
    // between the parts ("d/dskenb.tra"); empty for a file pair.
    std::string listedName = {};
    // The dialogF.tlk beside a translated dialog.tlk, which gives it its
    // female texts; empty: none. The original side never has one: only its
    // male texts are searched.
    std::string translatedFemaleTable = {};
};

// A reference pair that yields no file at all.
struct ReferencePairFault {
    std::string path;  // the pair's original side
    std::string text;  // for the user, naming the path at fault
    TraError status = TraOpenFailed;
};

// The files of a run's reference pairs in set order: the pairs in the order
// given, a folder pair's files in the order of a mod folder listing.
struct ReferenceListing {
    std::vector<ReferenceFilePaths> files;
    std::vector<ReferencePairFault> faults;
    // Translated files without an original of their name, which nothing
    // searches: a line each for the report.
    std::vector<std::string> ignored;
};

// Lists every pair. A file pair is its two files, whether they exist or not
// (their load tells). A folder pair is every tra file and string table
// directly in the original folder (with `includeSubFolders`, in its whole
// tree, as ListFolderTree lists it) with its counterpart: the translated
// file of the same name, or the same path under the translated folder, byte
// for byte or else up to ASCII case. In any folder a dialogF.tlk beside a
// dialog.tlk is no file of its own but that table's female texts. A pair of
// a file and a folder, a folder pair whose original folder cannot be listed
// or holds no such file, and a sub-folder of either side that cannot be
// listed are faults.
ReferenceListing ListReferenceFiles(const ReferencePairs& pairs, bool includeSubFolders = false);

// Names each loaded file as it was listed (`listedNames`, by file: its path
// under its folder; none, or an empty one, for its original's file name), as
// a single reference was always named by its file name; in a set of several
// files, one whose name another file of the set shares up to case is named
// by its path (`originalPaths`, by file), so that no comment or patch line
// can be read two ways.
void NameReferenceFiles(std::vector<ReferenceFile>& files,
                        std::span<const std::string> originalPaths,
                        std::span<const std::string> listedNames = {});

}  // namespace wordgleaner
