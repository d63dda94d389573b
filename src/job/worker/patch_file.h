#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "store/text_file.h"
#include "store/tra_error.h"
#include "store/tra_failure.h"

namespace wordgleaner {

// The TP2 patch file of a run, written block by block as the mod files are
// recovered.
class PatchFile {
public:
    PatchFile() = default;
    // An open patch file is kept, not discarded: the lines written so far
    // are the record of the entries that were recovered.
    ~PatchFile();
    PatchFile(const PatchFile&) = delete;
    PatchFile& operator=(const PatchFile&) = delete;

    TraError Open(const std::string& path);
    // Writes nothing while no file is open: a run without a patch, or one
    // whose patch could not be created.
    void Write(std::string_view text);
    // Commits the file if one is open; TraOk when none is.
    TraError Close();
    // Why the last Open or Close failed; its code is TraOk when it did not.
    const TraFailure& Failure() const { return failure; }

private:
    std::unique_ptr<TextFileWriter> file;  // open from Open to Close
    TraFailure failure;
};

}  // namespace wordgleaner
