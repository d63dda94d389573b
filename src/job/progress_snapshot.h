#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "job/batch_counters.h"
#include "job/progress_percent.h"
#include "job/sub_folder_note.h"

namespace wordgleaner {

// A run's progress as one poll sees it: every field comes from the same
// moment of the run.
struct ProgressSnapshot {
    // The worker's last write sets the files percentage to this value, and
    // only that write does: a snapshot that reads it holds the run's final
    // texts, status and counters.
    static constexpr std::int32_t EndedFilePercent = FullPercent;

    std::int32_t filePercent = 0;
    std::string progressText;
    std::int32_t entryPercent = 0;
    std::string entryText;
    // A TraError code or DestinationBusyStatus, final once the run has ended.
    std::int32_t status = 0;
    bool abortRequested = false;
    BatchCounters counters = {};  // all 0 until the run has ended

    // The same progress as numbers, for texts made for people: the file
    // worked on (counted from 1; 0 before the first) of how many, its name,
    // and in it the entry worked on of how many, and how many of its
    // entries got a translation so far.
    std::int32_t fileIndex = 0;
    std::string currentFileName = {};
    std::int32_t entryIndex = 0;
    std::int32_t entryTotal = 0;
    std::int32_t translatedCount = 0;
    // What the files of the run came to, so that a front end can tell what
    // a stopped or failed run left behind without working it out itself.
    std::int32_t fileCount = 0;    // mod files listed; 0 until the references have loaded
    std::int32_t filesDone = 0;    // recovered files saved with every entry
    std::string partialFile = {};  // saved with only the entries before a stop; empty if none
    // One line per mod file skipped because it failed to load or save.
    std::vector<std::string> skippedFiles = {};
    // Set once the mod folder is listed, by a run without includeSubFolders:
    // the sub-folders of the mod folder, then of the reference folders, that
    // hold tra files it does not search.
    std::vector<UnsearchedSubFolder> unsearchedSubFolders = {};

    bool Ended() const { return filePercent == EndedFilePercent; }

    friend bool operator==(const ProgressSnapshot&, const ProgressSnapshot&) = default;
};

}  // namespace wordgleaner
