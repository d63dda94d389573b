#pragma once

#include <cstdint>
#include <string>

#include "job/progress_snapshot.h"

namespace wordgleaner {

// The status of a run that did not start because another run holds its
// destination: a failure worth trying again later (EX_TEMPFAIL of the BSD
// exit codes), beyond the store's codes.
inline constexpr std::int32_t DestinationBusyStatus = 75;

// The status of a run refused because its review decisions file cannot be
// read or is not one: a mistake in what the run was given, as the command
// line's bad options are (EX_USAGE). Nothing was written into the
// destination.
inline constexpr std::int32_t DecisionsFileStatus = 64;

// The fixed message of a run's status: the store's message of its code, or
// the one of DestinationBusyStatus or DecisionsFileStatus.
const char* RunStatusMessage(std::int32_t status);

// How an ended run is to be told. A run stopped on request did not do all it
// was asked to, so no front end may report it as a success.
enum class RunEnd { Succeeded, Failed, Stopped };

RunEnd EndOfRun(const ProgressSnapshot& end);

// What a stopped run left behind, for instance "Stopped after 2 of 5 files;
// dialog.tra was saved with the entries done before the stop.", or "Stopped
// while loading the references" when no mod file was reached.
std::string StoppedText(const ProgressSnapshot& end);

// Its two parts, for a window's bars: "Stopped after 2 of 5 files" (or the
// text of a stop while loading the references), and "dialog.tra was saved
// with the entries done before the stop", empty when no file was partial.
std::string StoppedFilesText(const ProgressSnapshot& end);
std::string PartialFileText(const ProgressSnapshot& end);

}  // namespace wordgleaner
