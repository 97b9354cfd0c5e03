// Common base of the dictionary library tests: every test starts and ends
// with the library's one dictionary closed, and has a clean scratch folder.
#ifndef ZEV_TESTS_ZEV_FIXTURE_H
#define ZEV_TESTS_ZEV_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "testfiles.h"
#include "zev.h"

class ZevTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (zevIsOpen()) zevCloseDic();
        testfiles::ResetFolder();
    }
    void TearDown() override {
        if (zevIsOpen()) zevCloseDic();
    }

    // A new dictionary with one-byte names and the given counts.
    static void CreateSmall(uint8_t levels = 3, uint8_t types = 3) {
        ASSERT_EQ(1, zevCreateDic("A", "B", levels, types));
    }

    static std::string Text(const char* bytes) { return std::string(bytes); }
};

#endif
