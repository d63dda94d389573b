#include "job/worker/shared_progress.h"

#include <utility>

namespace wordgleaner {

ProgressSnapshot SharedProgress::Snapshot() const {
    std::lock_guard lock(mutex);
    return state;
}

bool SharedProgress::Ended() const {
    std::lock_guard lock(mutex);
    return state.Ended();
}

bool SharedProgress::AbortRequested() const {
    std::lock_guard lock(mutex);
    return state.abortRequested;
}

void SharedProgress::RequestAbort() {
    std::lock_guard lock(mutex);
    state.abortRequested = true;
}

void SharedProgress::Reset() {
    std::lock_guard lock(mutex);
    state = ProgressSnapshot{};
}

void SharedProgress::SetProgressText(std::string text) {
    std::lock_guard lock(mutex);
    state.progressText = std::move(text);
}

void SharedProgress::SetFilePercent(std::int32_t percent) {
    std::lock_guard lock(mutex);
    state.filePercent = percent;
}

void SharedProgress::SetEntryText(std::string text) {
    std::lock_guard lock(mutex);
    state.entryText = std::move(text);
}

void SharedProgress::SetEntryProgress(std::string text, std::int32_t percent) {
    std::lock_guard lock(mutex);
    state.entryText = std::move(text);
    state.entryPercent = percent;
}

void SharedProgress::SetEntryProgress(std::string text, std::int32_t percent,
                                      std::int32_t entryIndex, std::int32_t entryTotal,
                                      std::int32_t translatedCount) {
    std::lock_guard lock(mutex);
    state.entryText = std::move(text);
    state.entryPercent = percent;
    state.entryIndex = entryIndex;
    state.entryTotal = entryTotal;
    state.translatedCount = translatedCount;
}

void SharedProgress::SetFilePosition(std::int32_t fileIndex, std::int32_t fileCount,
                                     std::string fileName) {
    std::lock_guard lock(mutex);
    state.fileIndex = fileIndex;
    state.fileCount = fileCount;
    state.currentFileName = std::move(fileName);
}

void SharedProgress::SetStatus(std::int32_t status) {
    std::lock_guard lock(mutex);
    state.status = status;
}

void SharedProgress::SetFileCount(std::int32_t count) {
    std::lock_guard lock(mutex);
    state.fileCount = count;
}

void SharedProgress::FileSaved(const std::string& name, bool partial) {
    std::lock_guard lock(mutex);
    if (partial) {
        state.partialFile = name;
    } else {
        ++state.filesDone;
    }
}

void SharedProgress::AddSkippedFile(std::string line) {
    std::lock_guard lock(mutex);
    state.skippedFiles.push_back(std::move(line));
}

void SharedProgress::SetUnsearchedSubFolders(std::vector<UnsearchedSubFolder> folders) {
    std::lock_guard lock(mutex);
    state.unsearchedSubFolders = std::move(folders);
}

void SharedProgress::Finish(const BatchCounters& counters) {
    std::lock_guard lock(mutex);
    state.counters = counters;
    state.filePercent = ProgressSnapshot::EndedFilePercent;
}

}  // namespace wordgleaner
