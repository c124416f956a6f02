#include "platform/object.h"

#include <gtest/gtest.h>

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
 public:
  int radius = 3;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape {
  DECLARE_DYNCREATE(CSquare)
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

TEST(RuntimeClassTest, KindsFollowTheClassTreeAndObjectsAreMadeByClassOrName) {
  CCircle circle;
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_TRUE(RUNTIME_CLASS(CSquare)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
  EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");

  std::unique_ptr<CObject> made = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(DynamicDowncast<CCircle>(made.get())->radius, 3);
  EXPECT_EQ(DynamicDowncast<CSquare>(made.get()), nullptr);

  const CRuntimeClass* byName = CRuntimeClass::FromName("CSquare");
  ASSERT_EQ(byName, RUNTIME_CLASS(CSquare));
  EXPECT_TRUE(byName->CreateObject()->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);

  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsCreatable());
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
}

}  // namespace
