#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "KelTrace.h"

namespace {
const KelTrace gTrace("KelTestModule", "Traces for module KelTestModule", "STDERR");
const KelTrace gOther("KelOtherModule", "Traces for module KelOtherModule");
const KelTrace gToStdout("KelStdoutModule", "Traces for module KelStdoutModule", "STDOUT");

std::string StderrOf(void (*iWrite)())
{
  testing::internal::CaptureStderr();
  iWrite();
  return testing::internal::GetCapturedStderr();
}
}  // namespace

TEST(KelTrace, SwitchesAndOutput)
{
  unsetenv("KEL_TRACE");
  KelTrace::Reset();
  EXPECT_FALSE(gTrace.IsActive());
  auto write = [] {
    gTrace.TraPrint("plain line");
    gTrace.TraPrintf("%d of %s\n", 3, "7");
  };
  EXPECT_EQ(StderrOf(write), "");

  KelTrace::Enable("KelTestModule");
  EXPECT_TRUE(gTrace.IsActive() && !gOther.IsActive());
  EXPECT_EQ(StderrOf(write), "plain line\n3 of 7\n");

  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  KelTrace::Enable("KelStdoutModule");
  gToStdout.TraPrint("to stdout");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "to stdout\n");

  KelTrace::Enable("KelTestModule", false);
  EXPECT_FALSE(gTrace.IsActive());
  KelTrace::Enable("all");
  EXPECT_TRUE(gTrace.IsActive() && gOther.IsActive());
  KelTrace::Enable("KelOtherModule", false);
  EXPECT_TRUE(gTrace.IsActive() && !gOther.IsActive());

  // Reset forgets the switches and reads the environment again.
  setenv("KEL_TRACE", "KelNone, KelOtherModule", 1);
  KelTrace::Reset();
  EXPECT_TRUE(!gTrace.IsActive() && gOther.IsActive());
  setenv("KEL_TRACE", "all", 1);
  KelTrace::Reset();
  EXPECT_TRUE(gTrace.IsActive());
  unsetenv("KEL_TRACE");
  KelTrace::Reset();
  EXPECT_FALSE(gOther.IsActive() || gToStdout.IsActive());
}
