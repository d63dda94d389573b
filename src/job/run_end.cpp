#include "job/run_end.h"

#include "store/tra_error.h"

namespace wordgleaner {

namespace {

constexpr const char* StoppedLoadingText = "Stopped while loading the references";
constexpr const char* DestinationBusyMessage = "Destination in use by another run";
constexpr const char* DecisionsFileMessage = "Review decisions file not usable";

std::string FilesText(int count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

}  // namespace

const char* RunStatusMessage(std::int32_t status) {
    switch (status) {
        case DestinationBusyStatus:
            return DestinationBusyMessage;
        case DecisionsFileStatus:
            return DecisionsFileMessage;
        default:
            return TraErrorMessage(status);
    }
}

RunEnd EndOfRun(const ProgressSnapshot& end) {
    if (end.status != TraOk) {
        return RunEnd::Failed;
    }
    return end.abortRequested ? RunEnd::Stopped : RunEnd::Succeeded;
}

std::string StoppedText(const ProgressSnapshot& end) {
    if (end.fileCount == 0) {
        return StoppedLoadingText;
    }
    std::string text =
        "Stopped after " + std::to_string(end.filesDone) + " of " + FilesText(end.fileCount);
    if (end.partialFile.empty()) {
        return text + ".";
    }
    return text + "; " + PartialFileText(end.partialFile);
}

std::string PartialFileText(const std::string& name) {
    return name + " was saved with the entries done before the stop.";
}

}  // namespace wordgleaner
