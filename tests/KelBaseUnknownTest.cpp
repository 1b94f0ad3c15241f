#include <gtest/gtest.h>

#include <cstring>

#include "KelBaseUnknown.h"

namespace {
const IID IID_KelTestShape = {0x1f2e3d4c, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};
const IID IID_KelITestData = {0x1f2e3d4c, 0x0002, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x02}};
const IID IID_KelITestCode = {0x1f2e3d4c, 0x0003, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x03}};
const IID IID_KelITestMissing = {0x1f2e3d4c, 0x0004, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x04}};

int gShapesDeleted = 0;
int gExtensionsCreated = 0;
int gExtensionsDeleted = 0;
KelBaseUnknown* gObjectSeenInConstructor = nullptr;
}  // namespace

class KelTestShape : public KelBaseUnknown {
  KelDeclareClass

public:
  ~KelTestShape() override { ++gShapesDeleted; }
  const char* GetLateType() const override { return "KelTestShapeLate"; }

protected:
  void* GetInterface(const IID& iIID) override
  {
    return iIID == IID_KelTestShape ? this : KelBaseUnknown::GetInterface(iIID);
  }
};
KelImplementClass(KelTestShape, KelBaseUnknown, KelMetaImplementation)

class KelTestSolid : public KelTestShape {
  KelDeclareClass
};
KelImplementClass(KelTestSolid, KelTestShape, KelMetaImplementation)

// Answers both test interfaces; registered once as data and once as code extension.
class KelTestExtension : public KelBaseUnknown {
public:
  KelTestExtension()
  {
    ++gExtensionsCreated;
    void* object = nullptr;
    if (SUCCEEDED(QueryInterface(IID_KelTestShape, &object))) {
      gObjectSeenInConstructor = static_cast<KelBaseUnknown*>(object);
      gObjectSeenInConstructor->Release();
    }
  }
  ~KelTestExtension() override { ++gExtensionsDeleted; }

protected:
  void* GetInterface(const IID& iIID) override
  {
    return iIID == IID_KelITestData || iIID == IID_KelITestCode ? this : KelBaseUnknown::GetInterface(iIID);
  }
};

namespace {
KelBaseUnknown* MakeDataExtension() { return new KelTestExtension; }
KelBaseUnknown* MakeCodeExtension() { return new KelTestExtension; }
const KelExtensionRegistrar gDataRegistrar("KelTestShapeLate", IID_KelITestData, KelMetaDataExtension, MakeDataExtension);
const KelExtensionRegistrar gCodeRegistrar("KelTestShapeLate", IID_KelITestCode, KelMetaCodeExtension, MakeCodeExtension);
// Registered for an interface that the extension does not implement.
const KelExtensionRegistrar gWrongRegistrar("KelTestShapeLate", IID_KelITestMissing, KelMetaDataExtension, MakeDataExtension);
}  // namespace

TEST(KelBaseUnknown, ReferenceCountingQueriesAndMetaObjects)
{
  gShapesDeleted = 0;
  KelTestSolid* solid = new KelTestSolid;
  EXPECT_EQ(solid->GetRefCount(), 1u);
  void* itf = nullptr;
  EXPECT_EQ(solid->QueryInterface(IID_KelBaseUnknown, &itf), S_OK);
  EXPECT_EQ(itf, static_cast<KelBaseUnknown*>(solid));
  EXPECT_EQ(solid->QueryInterface(IID_KelTestShape, &itf), S_OK);
  EXPECT_EQ(solid->GetRefCount(), 3u);
  EXPECT_EQ(solid->QueryInterface(IID_KelBaseUnknown, nullptr), E_FAIL);
  KelBaseUnknown plain;  // no late type: nothing to extend
  EXPECT_EQ(plain.QueryInterface(IID_KelTestShape, &itf), E_NOINTERFACE);
  EXPECT_EQ(itf, nullptr);

  EXPECT_STREQ(solid->ClassName(), "KelTestSolid");
  EXPECT_TRUE(solid->IsA("KelTestSolid") && !solid->IsA("KelTestShape"));
  EXPECT_TRUE(solid->IsAKindOf("KelTestShape") && solid->IsAKindOf("KelBaseUnknown"));
  EXPECT_FALSE(solid->IsAKindOf("KelTestExtension") || solid->IsAKindOf(nullptr));
  const KelMetaObject* meta = solid->GetMetaObject();
  EXPECT_EQ(meta->GetBase(), KelTestShape::MetaObject());
  EXPECT_STREQ(meta->GetFramework(), "KelPolyMeshOperatorsBase");
  EXPECT_EQ(meta->GetObjectSize(), sizeof(KelTestSolid));

  EXPECT_TRUE(solid->Release() == 2u && solid->Release() == 1u && gShapesDeleted == 0);
  EXPECT_TRUE(solid->Release() == 0u && gShapesDeleted == 1);
}

TEST(KelBaseUnknown, Extensions)
{
  gExtensionsCreated = gExtensionsDeleted = 0;
  gObjectSeenInConstructor = nullptr;
  KelTestShape* shape = new KelTestShape;

  // Data extension: made on the first query, then the same object until the shape goes.
  KelBaseUnknown* data1 = nullptr;
  KelBaseUnknown* data2 = nullptr;
  ASSERT_EQ(shape->QueryInterface(IID_KelITestData, reinterpret_cast<void**>(&data1)), S_OK);
  EXPECT_EQ(gObjectSeenInConstructor, shape);
  EXPECT_EQ(data1->GetExtendedObject(), shape);
  ASSERT_EQ(shape->QueryInterface(IID_KelITestData, reinterpret_cast<void**>(&data2)), S_OK);
  EXPECT_TRUE(data1 == data2 && gExtensionsCreated == 1);
  // The extension forwards what it does not implement to its object.
  void* back = nullptr;
  ASSERT_EQ(data1->QueryInterface(IID_KelTestShape, &back), S_OK);
  EXPECT_EQ(back, shape);
  static_cast<KelBaseUnknown*>(back)->Release();
  data1->Release();
  data2->Release();
  EXPECT_EQ(gExtensionsDeleted, 0);

  // Code extension: a new object per query, gone with its last reference.
  KelBaseUnknown* code1 = nullptr;
  KelBaseUnknown* code2 = nullptr;
  ASSERT_EQ(shape->QueryInterface(IID_KelITestCode, reinterpret_cast<void**>(&code1)), S_OK);
  ASSERT_EQ(shape->QueryInterface(IID_KelITestCode, reinterpret_cast<void**>(&code2)), S_OK);
  EXPECT_TRUE(code1 != code2 && code1->GetRefCount() == 1u && gExtensionsCreated == 3);
  code1->Release();
  code2->Release();
  EXPECT_EQ(gExtensionsDeleted, 2);

  // A registration for an interface the extension lacks fails instead of looping.
  void* missing = shape;
  EXPECT_TRUE(FAILED(shape->QueryInterface(IID_KelITestMissing, &missing)));
  EXPECT_EQ(missing, nullptr);

  const int created = gExtensionsCreated;
  shape->Release();
  EXPECT_EQ(gExtensionsDeleted, created);
}
