#include "job/worker/patch_file.h"

namespace wordgleaner {

PatchFile::~PatchFile() {
    Close();
}

TraError PatchFile::Open(const std::string& path) {
    file = std::make_unique<TextFileWriter>();
    const TraError status = file->Open(path);
    failure = file->LastFailure();
    if (status != TraOk) {
        file.reset();
    }
    return status;
}

void PatchFile::Write(std::string_view text) {
    if (file && file->IsOpen()) {
        file->Write(text);
    }
}

TraError PatchFile::Close() {
    if (!file) {
        return TraOk;
    }
    const TraError status = file->Commit();
    failure = file->LastFailure();
    file.reset();
    return status;
}

}  // namespace wordgleaner
