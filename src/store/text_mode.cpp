#include "store/text_mode.h"

#include <cstddef>
#include <cstring>

namespace wordgleaner {

namespace text_mode {

char* DropCarriageReturnsBeforeLineFeeds(const char* in, const char* end, char* out) {
    while (in < end) {
        const void* found = std::memchr(in, CarriageReturn, static_cast<std::size_t>(end - in));
        const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
        const auto length = static_cast<std::size_t>(stop - in);
        if (out != in) {
            std::memmove(out, in, length);
        }
        out += length;
        in = stop;
        if (in == end) {
            break;
        }
        if (in + 1 == end || in[1] != LineFeed) {
            *out++ = CarriageReturn;
        }
        ++in;
    }
    return out;
}

}  // namespace text_mode

}  // namespace wordgleaner
