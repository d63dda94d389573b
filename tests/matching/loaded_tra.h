#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "store/tra_file.h"
#include "support/temp_dir.h"

namespace wordgleaner {

namespace matching_test {

// Writes `text` as a tra file named `name` into `dir` and loads it.
inline void LoadTra(const test_support::TempDir& dir, std::string_view name, std::string_view text,
                    TraFile& file) {
    ASSERT_EQ(file.Load(dir.Write(name, text)), TraOk) << text;
}

}  // namespace matching_test

}  // namespace wordgleaner
