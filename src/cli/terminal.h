#pragma once

#include <cstdio>

namespace wordgleaner {

// True when `stream` is an interactive terminal that understands the cursor
// movements of the live progress lines.
bool IsInteractiveTerminal(std::FILE* stream);

// The width of the terminal behind `stream` in character cells, or 80 when
// it cannot be told.
int TerminalColumns(std::FILE* stream);

}  // namespace wordgleaner
