#include <gtest/gtest.h>

#include <string>

#include "store/tra_error.h"

using namespace wordgleaner;

TEST(TraErrorMessage, GivesTheFixedMessageOfEveryCodeAndOneForAnyOther) {
    EXPECT_STREQ(TraErrorMessage(TraOk), "No error");
    EXPECT_STREQ(TraErrorMessage(TraNoEqualSign), "Missing equal sign after string Id");
    EXPECT_STREQ(TraErrorMessage(TraTooManyStrings),
                 "Too many strings for a string Id, two are allowed (male, female)");
    EXPECT_STREQ(TraErrorMessage(TraBadString), "Invalid string");
    EXPECT_STREQ(TraErrorMessage(16), "Unknown error (internal failure)");
    EXPECT_STREQ(TraErrorMessage(-1), "Unknown error (internal failure)");
}
