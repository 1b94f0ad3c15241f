#include <gtest/gtest.h>

#include <vector>

#include "KelFuzCallback.h"

TEST(KelFuzCallback, ChildRangesMapIntoParent)
{
  std::vector<int> seen;
  KelPolyCallback* root = new KelPolyCallback([&seen](int iPercent) {
    seen.push_back(iPercent);
    return true;
  });
  KelFuzCallback* child = new KelFuzCallback(root, 20, 60);
  EXPECT_EQ(root->GetRefCount(), 2u);
  EXPECT_EQ(child->SetProgress(0), TRUE);
  EXPECT_EQ(child->SetProgress(50), TRUE);
  EXPECT_EQ(child->SetProgress(5.0, 10.0), TRUE);  // same percentage: not delivered again
  EXPECT_EQ(child->SetProgress(100), TRUE);
  EXPECT_EQ(seen, (std::vector<int>{20, 40, 60}));
  EXPECT_DOUBLE_EQ(child->GetProgress(), 100.0);

  // Nesting composes the ranges; out-of-range input is clamped.
  KelFuzCallback* grandChild = new KelFuzCallback(child, 50, 0);  // bounds given either way
  seen.clear();
  grandChild->SetProgress(-5);
  grandChild->SetProgress(250);
  grandChild->SetProgress(3.0, 0.0);  // nothing to do counts as finished
  EXPECT_EQ(seen, (std::vector<int>{20, 40}));

  // A child without a parent is a root of its own.
  std::vector<int> own;
  KelFuzCallback alone(nullptr, 10, 30);
  alone.SetHandler([&own](int iPercent) {
    own.push_back(iPercent);
    return true;
  });
  EXPECT_EQ(alone.SetProgress(1.0, 4.0), TRUE);
  EXPECT_EQ(own, std::vector<int>{25});

  grandChild->Release();
  EXPECT_EQ(child->GetRefCount(), 1u);
  child->Release();
  EXPECT_EQ(root->GetRefCount(), 1u);
  root->Release();
}

TEST(KelFuzCallback, InterruptReachesNestedWork)
{
  KelPolyCallback* root = new KelPolyCallback;
  KelFuzCallback* child = new KelFuzCallback(root, 0, 80);
  KelFuzCallback* grandChild = new KelFuzCallback(child, 30, 65);
  EXPECT_EQ(grandChild->SetProgress(10), TRUE);
  root->Interrupt();
  EXPECT_EQ(grandChild->SetProgress(20) + child->SetProgress(1.0, 2.0) + root->SetProgress(100), FALSE);
  grandChild->Release();
  child->Release();
  root->Release();

  // A handler that answers false stops the work from then on.
  KelPolyCallback* host = new KelPolyCallback([](int iPercent) { return iPercent < 50; });
  KelFuzCallback* nested = new KelFuzCallback(host, 0, 50);
  EXPECT_EQ(nested->SetProgress(98), TRUE);  // 49 % of the host
  EXPECT_EQ(nested->SetProgress(100), FALSE);
  EXPECT_TRUE(host->IsInterrupted());
  EXPECT_EQ(nested->SetProgress(0), FALSE);
  // The child's own interrupt request works without asking the parent.
  KelFuzCallback* other = new KelFuzCallback(nullptr, 0, 100);
  other->Interrupt();
  EXPECT_EQ(other->SetProgress(1), FALSE);
  other->Release();
  nested->Release();
  host->Release();
}
