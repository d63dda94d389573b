#include "store/new_file.h"

#if defined(_WIN32)

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace wordgleaner {

// The C library that comes with every Windows (msvcrt) knows no "x" in
// fopen's mode: depending on its version it refuses the mode or ignores the
// "x" and empties an existing file. Its _open takes the exclusive creation as
// a flag, with the 8-bit name in the system code page as fopen does.
std::FILE* CreateNewFile(const std::string& path) {
    const int descriptor =
        _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        _close(descriptor);
    }
    return file;
}
}  // namespace wordgleaner

#else

namespace wordgleaner {

std::FILE* CreateNewFile(const std::string& path) {
    return std::fopen(path.c_str(), "wbx");
}

}  // namespace wordgleaner

#endif
