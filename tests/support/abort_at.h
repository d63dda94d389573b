#pragma once

#include <memory>

#include "job/check_point.h"

namespace wordgleaner {

namespace test_support {

// A check point hook that requests the abort the `occurrence`-th time
// (counting from 1) the worker passes `point`, so a test reaches every abort
// point exactly, with no timing involved.
inline CheckPointHook AbortAt(CheckPoint point, int occurrence = 1) {
    auto passes = std::make_shared<int>(0);
    return [point, occurrence, passes](CheckPoint reached) {
        return reached == point && ++*passes == occurrence;
    };
}

}  // namespace test_support

}  // namespace wordgleaner
