// kelmesh's progress display, driven by a test operator through the operator callback.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <string>

#include "KelCldOper.h"
#include "KelCldPolygon.h"
#include "KelFuzCallback.h"
#include "KelProgressDisplay.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

// Removes triangles one by one, reporting after each; raises SIGINT after iInterruptAt.
class SteppingOper : public KelCldOper {
public:
  explicit SteppingOper(int iInterruptAt = 0) : _interruptAt(iInterruptAt) {}
  KelBoolean Run(KelCldPolygon* iPolygon) override
  {
    const int n = iPolygon->GetNbTriangles(1);
    for (int t = 1; t <= n; ++t) {
      iPolygon->RemoveTriangle(t);
      if (t == _interruptAt) std::raise(SIGINT);
      if (!ReportProgress(t, n)) return FALSE;
    }
    return TRUE;
  }
  using KelCldOper::Run;

private:
  int _interruptAt;
};

std::string Contents(std::FILE* iFile)
{
  std::string text;
  std::rewind(iFile);
  for (int c; (c = std::fgetc(iFile)) != EOF;) text += char(c);
  return text;
}

int gOwnHandlerCalls = 0;
extern "C" void OwnHandler(int) { ++gOwnHandlerCalls; }

}  // namespace

TEST(KelProgressDisplay, DrawsOneBarLine)
{
  KelCldPolygon grid;
  MakeGrid(grid, 21, 21);  // 800 triangles
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  {
    KelProgressDisplay progress("decimate", stream);
    SteppingOper oper;
    oper.SetCallback(progress.GetCallback());
    EXPECT_TRUE(oper.Run(&grid));
    progress.Finish();
    EXPECT_FALSE(progress.WasInterrupted());
  }
  const std::string text = Contents(stream);
  std::fclose(stream);
  EXPECT_EQ(Occurrences(text, "\rdecimate ["), 101u);  // once per whole percentage, 0 to 100
  // One line, ended by the full bar.
  const std::string full = "\rdecimate [" + std::string(40, '#') + "] 100%\n";
  EXPECT_EQ(Occurrences(text, "\n"), 1u);
  EXPECT_EQ(text.substr(text.size() - std::min(text.size(), full.size())), full);

  KelCldPolygon other;
  MakeGrid(other, 3, 3);
  KelProgressDisplay hidden("quiet", nullptr);  // not shown: the callback still answers
  SteppingOper oper;
  oper.SetCallback(hidden.GetCallback());
  EXPECT_TRUE(oper.Run(&other));
}

TEST(KelProgressDisplay, CtrlCStopsTheOperatorCleanly)
{
  std::signal(SIGINT, OwnHandler);
  KelCldPolygon grid;
  MakeGrid(grid, 11, 11);  // 200 triangles
  {
    KelProgressDisplay progress("smooth", nullptr);
    SteppingOper oper(30);
    oper.SetCallback(progress.GetCallback());
    EXPECT_FALSE(oper.Run(&grid));
    EXPECT_TRUE(progress.WasInterrupted());
    EXPECT_EQ(grid.GetNbTriangles(0), 170);  // stopped at the next report, changes kept
    EXPECT_FALSE(oper.Run(&grid));           // the request stays
  }
  // The display gives SIGINT back to whoever had it; a new display starts afresh.
  std::raise(SIGINT);
  EXPECT_EQ(gOwnHandlerCalls, 1);
  KelProgressDisplay next("next", nullptr);
  EXPECT_FALSE(next.WasInterrupted());
  std::signal(SIGINT, SIG_DFL);
}
