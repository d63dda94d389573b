#include "job/worker/job_worker.h"

#include <utility>

namespace wordgleaner {

JobWorker::JobWorker(const JobInputs& inputs, SharedProgress& progress, CheckPointHook hook)
    : inputs(inputs), progress(progress), hook(std::move(hook)) {}

JobWorker::~JobWorker() {
    ClosePatchFile();
}

bool JobWorker::AbortRequestedAt(CheckPoint point) {
    if (hook && hook(point)) {
        progress.RequestAbort();
    }
    return progress.AbortRequested();
}

TraError JobWorker::OpenPatchFile(const std::string& path) {
    patchFile = std::make_unique<TextFileWriter>();
    const TraError status = patchFile->Open(path);
    patchFailure = patchFile->LastFailure();
    if (status != TraOk) {
        patchFile.reset();
    }
    return status;
}

void JobWorker::WritePatch(std::string_view text) {
    if (inputs.options.generatePatch && patchFile && patchFile->IsOpen()) {
        patchFile->Write(text);
    }
}

TraError JobWorker::ClosePatchFile() {
    if (!patchFile) {
        return TraOk;
    }
    const TraError status = patchFile->Commit();
    patchFailure = patchFile->LastFailure();
    patchFile.reset();
    return status;
}

}  // namespace wordgleaner
