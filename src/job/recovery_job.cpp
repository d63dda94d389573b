#include "job/recovery_job.h"

#include <utility>

namespace wordgleaner {

// An open patch file is kept, not discarded: the lines written so far are the
// record of the entries that were recovered.
RecoveryJob::~RecoveryJob() {
    if (patchFile && patchFile->IsOpen()) {
        patchFile->Commit();
    }
}

void RecoveryJob::Setup(std::string referenceOriginal, std::string referenceTranslated,
                        std::string modFolder, std::string destinationFolder,
                        const RecoveryOptions& settings) {
    referenceOriginalPath = std::move(referenceOriginal);
    referenceTranslatedPath = std::move(referenceTranslated);
    modDirectory = std::move(modFolder);
    destinationDirectory = std::move(destinationFolder);
    options = settings;
    abortRequested.store(false);
}

void RecoveryJob::RequestAbort() {
    abortRequested.store(true);
}

}  // namespace wordgleaner
