#pragma once

#include <string_view>

namespace wordgleaner {

// The style sheet and the script of the review page, written inline so that
// the page is one file that opens from disk without any network.
std::string_view ReviewPageStyle();

// Filters the rows by outcome, likeliness range and mod file, from the form
// or from the page address ("#outcome=likely&min=80&file=setup.tra"), by
// setting their hidden attribute. The page reads the same without it.
std::string_view ReviewPageScript();

}  // namespace wordgleaner
