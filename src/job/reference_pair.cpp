#include "job/reference_pair.h"

#include <filesystem>
#include <system_error>

namespace wordgleaner {

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

}  // namespace

ReferencePairKind ClassifyReferencePair(const ReferencePair& pair) {
    const bool originalIsFolder = IsFolder(pair.original);
    const bool translatedIsFolder = IsFolder(pair.translated);
    if (originalIsFolder && translatedIsFolder) {
        return ReferencePairKind::Folders;
    }
    if (originalIsFolder || translatedIsFolder) {
        return ReferencePairKind::Mixed;
    }
    return ReferencePairKind::Files;
}

std::string MixedReferencePairText(const ReferencePair& pair) {
    return "A reference pair must be two files or two folders: " + pair.original + " and " +
           pair.translated;
}

}  // namespace wordgleaner
