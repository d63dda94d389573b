#include "frontend/path_fields_check.h"

#include <filesystem>
#include <system_error>

#include "frontend/path_fields.h"

namespace wordgleaner {

namespace {

bool Names(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

}  // namespace

std::optional<std::size_t> FirstEmptyField(const std::vector<LabelledPath>& fields) {
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (fields[index].path.empty()) {
            return index;
        }
    }
    return std::nullopt;
}

std::string EmptyFieldText(std::string_view label) {
    return std::string(EmptyPathMessage) + ": \"" + std::string(label) + "\" is empty";
}

std::string PlainLabelText(std::string_view label) {
    std::string plain;
    for (std::size_t index = 0; index < label.size(); ++index) {
        const bool doubled =
            label[index] == '&' && index + 1 < label.size() && label[index + 1] == '&';
        if (label[index] != '&' || doubled) {
            plain += label[index];
        }
        if (doubled) {
            ++index;
        }
    }
    return plain;
}

std::string ReferencePairProblem(const ReferencePair& pair) {
    if (pair.original.empty() || pair.translated.empty()) {
        return "A reference pair needs both an original and a translated reference";
    }
    if (ClassifyReferencePair(pair) == ReferencePairKind::Mixed) {
        return MixedReferencePairText(pair);
    }
    return {};
}

std::string MainReferencePairProblem(const ReferencePair& pair, bool folders) {
    const std::string problem = ReferencePairProblem(pair);
    if (!problem.empty() || !folders || ClassifyReferencePair(pair) == ReferencePairKind::Folders) {
        return problem;
    }
    return "The reference fields must name two folders of tra files (as chosen in "
           "Preferences): " +
           pair.original + " and " + pair.translated;
}

std::string FurtherReferencePairProblem(const ReferencePair& pair) {
    for (const std::string* side : {&pair.original, &pair.translated}) {
        if (!side->empty() && !Names(*side)) {
            return "There is no file or folder " + *side;
        }
    }
    return ReferencePairProblem(pair);
}

}  // namespace wordgleaner
