#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job/reference_pair.h"

namespace wordgleaner {

// What a window checks of its paths before a run, in the words the user
// reads. Free of any toolkit, so that every window asks the same questions.

// One path field as the user sees it: its label (without mnemonic marks) and
// what it holds.
struct LabelledPath {
    std::string label;
    std::string path;
};

// The index of the first field left empty, or none.
std::optional<std::size_t> FirstEmptyField(const std::vector<LabelledPath>& fields);

// Names the empty field, so the user knows which one to fill in.
std::string EmptyFieldText(std::string_view label);

// A label's text as shown: "&&" stands for one ampersand, a single "&" only
// marks the mnemonic.
std::string PlainLabelText(std::string_view label);

// Why a pair cannot be searched: a side left empty, a file beside a folder.
// Empty when the pair is fine. A missing side of the main pair is told by the
// run itself when it loads it.
std::string ReferencePairProblem(const ReferencePair& pair);

// The pair of the two reference fields: a pair problem, or, with folders
// chosen, a side that is no folder.
std::string MainReferencePairProblem(const ReferencePair& pair, bool folders);

// The further pairs were checked when they were added, but the disk may have
// changed since: each side must still name something.
std::string FurtherReferencePairProblem(const ReferencePair& pair);

}  // namespace wordgleaner
