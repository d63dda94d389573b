#include "frontend/readable_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "job/progress_percent.h"
#include "job/run_end.h"

namespace wordgleaner {

namespace {

bool WorkingOnAFile(const ProgressSnapshot& progress) {
    return !progress.Ended() && progress.fileIndex > 0 && progress.fileCount > 0;
}

std::string TwoDigits(long long value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02lld", value);
    return text;
}

int FilesDonePercent(const ProgressSnapshot& end) {
    return end.fileCount > 0 ? WholePercent(end.filesDone, end.fileCount) : 0;
}

std::string FailedFilesText(const ProgressSnapshot& end) {
    if (end.fileCount == 0) {
        return "Failed before any mod file";
    }
    return "Failed: " + std::to_string(end.filesDone) + " of " + std::to_string(end.fileCount) +
           (end.fileCount == 1 ? " file" : " files") + " done";
}

}  // namespace

ReadableBar ReadableFilesBar(const ProgressSnapshot& progress) {
    if (progress.Ended()) {
        switch (EndOfRun(progress)) {
            case RunEnd::Stopped:
                return {FilesDonePercent(progress), StoppedFilesText(progress)};
            case RunEnd::Failed:
                return {FilesDonePercent(progress), FailedFilesText(progress)};
            case RunEnd::Succeeded:
                break;
        }
    }
    return {progress.filePercent, ReadableFilesText(progress)};
}

ReadableBar ReadableEntriesBar(const ProgressSnapshot& progress) {
    if (progress.Ended()) {
        switch (EndOfRun(progress)) {
            case RunEnd::Stopped: {
                std::string partial = PartialFileText(progress);
                return {partial.empty() ? 0 : progress.entryPercent, std::move(partial)};
            }
            case RunEnd::Failed:
                return {0, progress.progressText};
            case RunEnd::Succeeded:
                break;
        }
    }
    return {progress.entryPercent, ReadableEntriesText(progress)};
}

std::string ReadableFilesText(const ProgressSnapshot& progress) {
    if (!WorkingOnAFile(progress)) {
        return progress.progressText;
    }
    return "File " + std::to_string(progress.fileIndex) + " of " +
           std::to_string(progress.fileCount) + ": " + progress.currentFileName;
}

std::string ReadableEntriesText(const ProgressSnapshot& progress) {
    if (!WorkingOnAFile(progress) || progress.entryTotal <= 0) {
        return progress.entryText;
    }
    return "Entry " + std::to_string(progress.entryIndex) + " of " +
           std::to_string(progress.entryTotal) + " - " + std::to_string(progress.translatedCount) +
           " translated";
}

double DoneFraction(const ProgressSnapshot& progress) {
    if (progress.Ended()) {
        return 1.0;
    }
    if (!WorkingOnAFile(progress)) {
        return 0.0;
    }
    const double inFile =
        progress.entryTotal > 0
            ? std::clamp(double(progress.entryIndex) / progress.entryTotal, 0.0, 1.0)
            : 0.0;
    const double done = (progress.fileIndex - 1 + inFile) / progress.fileCount;
    return std::clamp(done, 0.0, 1.0);
}

std::string ClockText(std::chrono::seconds duration) {
    const long long total = std::max<long long>(0, duration.count());
    const long long hours = total / 3600;
    const long long minutes = total / 60 % 60;
    const long long seconds = total % 60;
    if (hours > 0) {
        return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
    }
    return std::to_string(minutes) + ":" + TwoDigits(seconds);
}

std::string ReadableTimeText(std::chrono::seconds elapsed, const ProgressSnapshot& progress) {
    std::string text = "Elapsed " + ClockText(elapsed);
    const double done = DoneFraction(progress);
    if (progress.Ended() || elapsed < EstimateAfter || done <= 0.0) {
        return text;
    }
    const auto left = std::chrono::seconds(
        std::llround(static_cast<double>(elapsed.count()) * (1.0 - done) / done));
    return text + " - about " + ClockText(left) + " left";
}

}  // namespace wordgleaner
