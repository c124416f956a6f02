#include "platform/app_registry.h"

#include <gtest/gtest.h>

#include "platform/settings_store.h"

namespace {

class AppRegistryTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentSettings(nullptr); }

  MemorySettingsStore& m_store = InstallMemorySettings();
};

TEST_F(AppRegistryTest, AbsentValuesLeaveTheVariablesAlone) {
  const CAppRegistry registry("ComponentEditor\\Grid");
  for (const bool start : {true, false}) {
    bool flag = start;
    EXPECT_FALSE(registry.GetValue("Enabled", flag));
    EXPECT_EQ(flag, start);
  }
  unsigned long number = 42;
  EXPECT_FALSE(registry.GetValue("Width", number));
  EXPECT_EQ(number, 42UL);
  CString text = "kept";
  EXPECT_FALSE(registry.GetValue("Name", text));
  EXPECT_EQ(text, "kept");
}

TEST_F(AppRegistryTest, WritesGoUnderTheKeyAndReadBack) {
  CAppRegistry registry("ComponentEditor\\Colours");
  EXPECT_TRUE(registry.SetValue("Enabled", false));
  EXPECT_TRUE(registry.SetValue("Background", 0x00C0FFEEUL));
  EXPECT_TRUE(registry.SetValue("Face", CString("Mono")));
  const std::vector<SettingsWrite> expected{
      {"ComponentEditor\\Colours", "Enabled", "false", false},
      {"ComponentEditor\\Colours", "Background", std::to_string(0x00C0FFEEUL), false},
      {"ComponentEditor\\Colours", "Face", "Mono", false},
  };
  EXPECT_EQ(m_store.Writes(), expected);

  bool flag = true;
  unsigned long number = 0;
  CString text;
  EXPECT_TRUE(registry.GetValue("Enabled", flag));
  EXPECT_TRUE(registry.GetValue("Background", number));
  EXPECT_TRUE(registry.GetValue("Face", text));
  EXPECT_FALSE(flag);
  EXPECT_EQ(number, 0x00C0FFEEUL);
  EXPECT_EQ(text, "Mono");
}

TEST_F(AppRegistryTest, LiteralTextIsStoredAsTextNotAsAFlag) {
  CAppRegistry registry("Names");
  registry.SetValue("Last", "NAND2");
  CString text;
  EXPECT_TRUE(registry.GetValue("Last", text));
  EXPECT_EQ(text, "NAND2");
}

TEST_F(AppRegistryTest, ColourVariablesReadAndWriteAsNumbers) {
  CAppRegistry registry("ComponentEditor\\Colours");
  const COLORREF yellow = RGB(255, 255, 0);
  registry.SetValue("Outlines", yellow);
  COLORREF colour = 0;
  EXPECT_TRUE(registry.GetValue("Outlines", colour));
  EXPECT_EQ(colour, yellow);

  registry.SetValue("TooBig", 0x100000000UL);
  EXPECT_FALSE(registry.GetValue("TooBig", colour));
  EXPECT_EQ(colour, yellow);
}

TEST_F(AppRegistryTest, DeleteValueRemovesOnlyThatValue) {
  CAppRegistry registry("Design");
  registry.SetValue("CheckValid", true);
  registry.SetValue("Other", true);
  EXPECT_TRUE(registry.DeleteValue("CheckValid"));
  EXPECT_FALSE(registry.DeleteValue("CheckValid"));
  bool flag = false;
  EXPECT_FALSE(registry.GetValue("CheckValid", flag));
  EXPECT_TRUE(registry.GetValue("Other", flag));
}

TEST_F(AppRegistryTest, RefusedWriteIsReported) {
  m_store.SetWritable(false);
  EXPECT_FALSE(CAppRegistry("Design").SetValue("CheckValid", true));
}

TEST_F(AppRegistryTest, FollowsTheStoreThatIsCurrentAtEachCall) {
  const CAppRegistry registry("Design");
  MemorySettingsStore& later = InstallMemorySettings();
  later.Set("Design", "CheckValid", true);
  bool flag = false;
  EXPECT_TRUE(registry.GetValue("CheckValid", flag));
  EXPECT_TRUE(flag);
}

TEST_F(AppRegistryTest, RegistryOnItsOwnStoreLeavesTheCurrentOneAlone) {
  MemorySettingsStore own;
  CRegistry registry("Design", &own);
  registry.SetValue("CheckValid", true);
  EXPECT_EQ(own.Writes().size(), 1U);
  EXPECT_TRUE(m_store.Writes().empty());
}

}  // namespace
