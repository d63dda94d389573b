// Feeds arbitrary bytes to the store's readers. Any input must load without a
// crash, hang or leak. A tra file that loads must survive load -> save ->
// load unchanged; an input that begins as a talk table goes through the
// table reader, and one that loads must hold consistent entries.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "support/talk_table_check.h"
#include "support/temp_dir.h"
#include "support/tra_round_trip.h"

using namespace wordgleaner;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One folder for the whole run: creating one per input would dominate the time.
    static const test_support::TempDir workDir;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string input = workDir.Write("input.tra", bytes);
    if (bytes.starts_with(TalkTableSignature)) {
        const std::string problem = test_support::CheckTalkTable(input, workDir.Path().string());
        if (!problem.empty()) {
            std::fprintf(stderr, "talk table: %s\n", problem.c_str());
            std::abort();
        }
        return 0;
    }
    auto result = test_support::CheckRoundTrip(input, workDir.Path().string());
    if (!result.problem.empty()) {
        std::fprintf(stderr, "round trip: %s\n", result.problem.c_str());
        std::abort();
    }
    return 0;
}
