#pragma once

#include <exception>
#include <thread>
#include <utility>

namespace wordgleaner {

// Runs `beside` on a thread of its own while the caller runs `here`, and
// returns once both are done, so two independent halves of an index build
// share the time of two cores. Nothing escapes the extra thread: an
// exception of `beside` (std::bad_alloc, in practice) is caught there and
// thrown again on the caller's thread; one of `here` is thrown once `beside`
// has finished too. Where no thread can be started, both run on the
// caller's thread, one after the other.
template <typename Beside, typename Here>
void RunSideBySide(Beside&& beside, Here&& here) {
    std::exception_ptr besideFailure;
    std::thread helper;
    try {
        helper = std::thread([&beside, &besideFailure] {
            try {
                std::forward<Beside>(beside)();
            } catch (...) {
                besideFailure = std::current_exception();
            }
        });
    } catch (...) {
        std::forward<Beside>(beside)();
        std::forward<Here>(here)();
        return;
    }
    try {
        std::forward<Here>(here)();
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (besideFailure) {
        std::rethrow_exception(besideFailure);
    }
}

}  // namespace wordgleaner
