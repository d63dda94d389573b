#pragma once

#include <memory>

#include "job/check_point.h"
#include "job/recovery_job.h"

namespace wordgleaner {

namespace test_support {

// Makes `job` request its own abort the `occurrence`-th time (counting from
// 1) the worker passes `point`, so a test reaches every abort point exactly,
// with no timing involved.
inline void AbortAt(RecoveryJob& job, CheckPoint point, int occurrence = 1) {
    auto passes = std::make_shared<int>(0);
    job.checkPointObserver = [&job, point, occurrence, passes](CheckPoint reached) {
        if (reached == point && ++*passes == occurrence) {
            job.RequestAbort();
        }
    };
}

}  // namespace test_support

}  // namespace wordgleaner
