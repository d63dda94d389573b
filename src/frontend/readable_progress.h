#pragma once

#include <chrono>
#include <string>

#include "job/progress_snapshot.h"

namespace wordgleaner {

// Progress texts for a person watching a run, made from a snapshot's
// numbers. The run's own texts (progressText, entryText) stay what the
// report and the command line show; these are for the window.

// A bar as the window shows it.
struct ReadableBar {
    int percent = 0;
    std::string text;

    friend bool operator==(const ReadableBar&, const ReadableBar&) = default;
};

// The two bars for a snapshot. While the run goes on and after a success,
// the percentages of the run and the texts below. After a stop or a
// failure, what the run left in plain words: the files bar tells the files
// done ("Stopped after 2 of 5 files", "Failed: 2 of 5 files done") at
// their share, and the entries bar the partial file of a stop, or the
// run's own text of what failed.
ReadableBar ReadableFilesBar(const ProgressSnapshot& progress);
ReadableBar ReadableEntriesBar(const ProgressSnapshot& progress);

// "File 5 of 31: gtu.tra" while a mod file is worked on; the run's own text
// before the first file and once the run has ended (loading, summary,
// failure).
std::string ReadableFilesText(const ProgressSnapshot& progress);

// "Entry 915 of 3000 - 612 translated" while a mod file is worked on;
// otherwise the run's own entries text.
std::string ReadableEntriesText(const ProgressSnapshot& progress);

// How much of the whole run is done, from 0 to 1: the files done plus the
// share of the current file's entries.
double DoneFraction(const ProgressSnapshot& progress);

// The run has taken this long before an estimate of what is left is given:
// early figures swing too much to be worth reading.
inline constexpr std::chrono::seconds EstimateAfter{5};

// "Elapsed 0:12", and on a longer run "Elapsed 1:05 - about 2:10 left";
// hours are shown when there are any ("1:02:03").
std::string ReadableTimeText(std::chrono::seconds elapsed, const ProgressSnapshot& progress);

// "0:07", "12:30", "1:02:03".
std::string ClockText(std::chrono::seconds duration);

}  // namespace wordgleaner
