#include "frontend/offered_code_pages.h"

#include "job/number_text.h"

namespace wordgleaner {

std::string CodePageText(std::int32_t codePage) {
    for (const OfferedCodePage& offered : OfferedCodePages) {
        if (offered.number == codePage) {
            return std::to_string(codePage) + " - " + offered.name;
        }
    }
    return std::to_string(codePage);
}

std::optional<std::int32_t> ReadCodePageText(std::string_view text) {
    for (const OfferedCodePage& offered : OfferedCodePages) {
        if (text == CodePageText(offered.number)) {
            return offered.number;
        }
    }
    return ParseWhole(text);
}

}  // namespace wordgleaner
