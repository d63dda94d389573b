#include "cli/terminal.h"

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace wordgleaner {

namespace {
constexpr int DefaultColumns = 80;
}

#if defined(_WIN32)

namespace {
HANDLE ConsoleOf(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}
}  // namespace

bool IsInteractiveTerminal(std::FILE* stream) {
    if (!_isatty(_fileno(stream))) {
        return false;
    }
    HANDLE console = ConsoleOf(stream);
    DWORD mode = 0;
    if (!GetConsoleMode(console, &mode)) {
        return false;
    }
    return SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

int TerminalColumns(std::FILE* stream) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(ConsoleOf(stream), &info)) {
        return DefaultColumns;
    }
    return info.srWindow.Right - info.srWindow.Left + 1;
}

#else

bool IsInteractiveTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

int TerminalColumns(std::FILE* stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
        return DefaultColumns;
    }
    return size.ws_col;
}

#endif

}  // namespace wordgleaner
