#pragma once

#include <streambuf>

namespace wordgleaner {

namespace test_support {

// A stream buffer that refuses every byte, as a closed pipe or a full disk
// does, and counts how often it was offered some. An std::ostream over it
// fails its first write.
class RefusingStreamBuffer : public std::streambuf {
public:
    int offers = 0;

protected:
    int_type overflow(int_type) override {
        ++offers;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize) override {
        ++offers;
        return 0;
    }
};

}  // namespace test_support

}  // namespace wordgleaner
