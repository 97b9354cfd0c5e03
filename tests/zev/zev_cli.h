// Runs the real zev executable for the command-line tests, and a few
// helpers to make texts and dictionaries for it.
#ifndef ZEV_TESTS_ZEV_CLI_H
#define ZEV_TESTS_ZEV_CLI_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testfiles.h"

struct ZevRun {
    int code;
    std::string out;
    std::string err;
};

// Runs zev with `args`; standard input comes from `input` (empty: nothing).
ZevRun RunZev(const std::vector<std::string>& args, const std::string& input = "");

std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// Code page 932 <-> UTF-8 by iconv, for expected results.
std::string ToCp932(const std::string& utf8);
std::string ToUtf8(const std::string& cp932);

// The sample dictionary built by the build, and the samples folder.
std::string SampleDictionary();
std::string SamplePath(const std::string& leaf);

class ZevCliTest : public ::testing::Test {
protected:
    void SetUp() override { testfiles::ResetFolder(); }
};

#endif
