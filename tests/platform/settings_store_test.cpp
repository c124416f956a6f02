// The settings stores (in memory and in a file) and the typed registry keys over them.
#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <tuple>

#include "platform/app_registry.h"
#include "tests/support/environment.h"
#include "tests/support/file_text.h"
#include "tests/support/permissions.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(MemorySettingsStoreTest, KeysAndNamesIgnoreCaseFlagsAndNumbersReadAsEachOtherAndKeptChangesAreLogged) {
  MemorySettingsStore store;
  ASSERT_TRUE(store.Set("ComponentEditor\\Grid", "Enabled", true));
  EXPECT_EQ(store.GetBool("componenteditor\\GRID", "enabled"), true);
  EXPECT_EQ(store.GetBool("\\ComponentEditor\\Grid\\", "Enabled"), true);
  EXPECT_EQ(store.Find("ComponentEditor", "Enabled"), nullptr);
  EXPECT_EQ(store.Find("ComponentEditor\\Grid", "Enable"), nullptr);

  // Flags and numbers read as each other, but texts do not.
  store.Set("K", "Number", 7UL);
  store.Set("K", "Zero", 0UL);
  store.Set("K", "Flag", true);
  store.Set("K", "Text", std::string("1"));
  EXPECT_EQ(
      std::make_tuple(store.GetBool("K", "Number"), store.GetBool("K", "Zero"), store.GetBool("K", "Text"),
                      store.GetNumber("K", "Flag"), store.GetNumber("K", "Text")),
      std::make_tuple(std::optional(true), std::optional(false), std::optional<bool>(), std::optional(1UL),
                      std::optional<unsigned long>()));
  EXPECT_EQ(std::make_pair(store.GetString("K", "Number"), store.GetString("K", "Text")),
            std::make_pair(std::optional<std::string>(), std::optional<std::string>("1")));

  // Every kept change is logged in order, and no refused one.
  store.ClearWrites();
  store.Set("Design", "CheckValid", false);
  store.Set("ComponentEditor\\Colours", "Background", 0x00FF8000UL);
  store.Set("ComponentEditor\\Colours", "Background", 0x00FF8000UL);
  store.Set("Names", "Last", std::string("NAND2"));
  EXPECT_FALSE(store.Delete("Names", "Absent"));
  EXPECT_TRUE(store.Delete("Names", "Last"));
  const std::vector<SettingsWrite> expected{
      {"Design", "CheckValid", "false", false},
      {"ComponentEditor\\Colours", "Background", "16744448", false},
      {"ComponentEditor\\Colours", "Background", "16744448", false},
      {"Names", "Last", "NAND2", false},
      {"Names", "Last", "", true},
  };
  EXPECT_EQ(store.Writes(), expected);
  EXPECT_EQ(store.Find("Names", "Last"), nullptr);

  // Refused changes leave the store as it was.
  store.Set("K", "V", 1UL);
  store.ClearWrites();
  store.SetWritable(false);
  EXPECT_FALSE(store.Set("K", "V", 2UL) || store.Delete("K", "V"));
  EXPECT_EQ(store.GetNumber("K", "V"), 1UL);
  EXPECT_TRUE(store.Writes().empty());
}

class AppRegistryTest : public ::testing::Test {
 protected:
  void TearDown() override { SetCurrentSettings(nullptr); }

  MemorySettingsStore& m_store = InstallMemorySettings();
};

TEST_F(AppRegistryTest, TypedValuesGoUnderTheKeyAndAbsentOrUnfitOnesLeaveTheVariablesAlone) {
  CAppRegistry registry("ComponentEditor\\Colours");
  bool flag = true;
  unsigned long number = 42;
  CString text = "kept";
  COLORREF colour = RGB(255, 255, 0);
  EXPECT_FALSE(registry.GetValue("Enabled", flag) || registry.GetValue("Width", number) ||
               registry.GetValue("Name", text) || registry.GetValue("Outlines", colour));
  EXPECT_EQ(std::make_tuple(flag, number, text, colour),
            std::make_tuple(true, 42UL, CString("kept"), RGB(255, 255, 0)));
  flag = false;
  EXPECT_FALSE(registry.GetValue("Enabled", flag));
  EXPECT_FALSE(flag);

  // A literal is text, not a flag.
  EXPECT_TRUE(registry.SetValue("Enabled", false) && registry.SetValue("Background", 0x00C0FFEEUL) &&
              registry.SetValue("Face", CString("Mono")) && registry.SetValue("Last", "NAND2") &&
              registry.SetValue("Outlines", RGB(0, 0, 255)) && registry.SetValue("TooBig", 0x100000000UL));
  EXPECT_EQ(m_store.GetNumber("ComponentEditor\\Colours", "Background"), 0x00C0FFEEUL);
  flag = true;
  EXPECT_TRUE(registry.GetValue("Enabled", flag) && registry.GetValue("Background", number) &&
              registry.GetValue("Face", text) && registry.GetValue("Outlines", colour));
  EXPECT_EQ(std::make_tuple(flag, number, text, colour),
            std::make_tuple(false, 0x00C0FFEEUL, CString("Mono"), RGB(0, 0, 255)));
  EXPECT_TRUE(registry.GetValue("Last", text) && text == "NAND2") << text.str();
  EXPECT_FALSE(registry.GetValue("TooBig", colour)) << "a number too large for a colour";
  EXPECT_EQ(colour, RGB(0, 0, 255));

  EXPECT_TRUE(registry.DeleteValue("Enabled"));
  EXPECT_FALSE(registry.DeleteValue("Enabled"));
  EXPECT_FALSE(registry.GetValue("Enabled", flag));
  EXPECT_TRUE(registry.GetValue("Face", text)) << "only that value went";
  m_store.SetWritable(false);
  EXPECT_FALSE(registry.SetValue("Enabled", true));

  // A registry follows the store current at each call unless given its own.
  const CAppRegistry design("Design");
  MemorySettingsStore& later = InstallMemorySettings();
  later.Set("Design", "CheckValid", true);
  bool valid = false;
  EXPECT_TRUE(design.GetValue("CheckValid", valid) && valid);

  MemorySettingsStore own;
  CRegistry ownRegistry("Design", &own);
  ownRegistry.SetValue("Other", true);
  EXPECT_EQ(std::make_pair(own.Writes().size(), later.Writes().size()), std::make_pair(1UL, 1UL));

  // Without an installed store a fresh one in memory is current.
  EXPECT_EQ(&CurrentSettings(), &later);
  SetCurrentSettings(nullptr);
  EXPECT_NE(dynamic_cast<MemorySettingsStore*>(&CurrentSettings()), nullptr);
  EXPECT_EQ(CurrentSettings().Find("Design", "CheckValid"), nullptr);
}

TEST(DefaultSettingsPathTest, FollowsTheConfigurationDirectoryConvention) {
  EnvironmentOverride home("HOME", "/home/ann");
  const std::string fallback = "/home/ann/.config/component-editor/settings.json";
  for (const auto& [config, path] :
       {std::pair<std::optional<std::string>, std::string>{"/cfg/", "/cfg/component-editor/settings.json"},
        {"relative/cfg", fallback},
        {std::nullopt, fallback}}) {
    EnvironmentOverride override("XDG_CONFIG_HOME", config);
    EXPECT_EQ(DefaultSettingsPath(), CString(path));
  }
  EnvironmentOverride noHome("HOME", std::nullopt);
  EXPECT_TRUE(DefaultSettingsPath().IsEmpty());
}

class FileSettingsStoreTest : public ::testing::Test {
 protected:
  std::string Path() const { return m_dir / "settings.json"; }

  ScratchFolder m_dir;
};

TEST_F(FileSettingsStoreTest, ValuesSurviveInVersionedJsonAndMissingUnreadableOrUnwritableFilesAreHandled) {
  const std::string text = "Name \"quoted\" \\ ÄÖ";
  {
    FileSettingsStore first(Path());
    EXPECT_TRUE(first.LoadProblem().IsEmpty());
    ASSERT_TRUE(first.Set("ComponentEditor\\Grid", "Enabled", false) &&
                first.Set("ComponentEditor\\Colours", "Text", 0xFFFFFFFFUL) &&
                first.Set("Names", "Last", text) && first.Set("Names", "Gone", true) &&
                first.Delete("Names", "Gone"));
  }
  FileSettingsStore again(Path());
  EXPECT_TRUE(again.LoadProblem().IsEmpty() && again.Find("Names", "Gone") == nullptr);
  EXPECT_EQ(
      std::make_tuple(again.GetBool("ComponentEditor\\Grid", "Enabled"),
                      again.GetNumber("ComponentEditor\\Colours", "Text"), again.GetString("Names", "Last")),
      std::make_tuple(std::optional(false), std::optional(0xFFFFFFFFUL), std::optional(text)));

  // The file is versioned JSON that keeps a key's first spelling.
  again.Set("componenteditor\\grid", "ENABLED", true);
  const nlohmann::json doc = nlohmann::json::parse(ReadFileText(Path()));
  EXPECT_EQ(doc["version"], 1);
  EXPECT_EQ(doc["keys"]["ComponentEditor\\Grid"], nlohmann::json::parse(R"({"Enabled": true})"));

  // A missing file is no problem, an unreadable one is reported, an unwritable folder keeps it.
  const std::string nested = m_dir / "a/b/settings.json";
  FileSettingsStore store(nested);
  EXPECT_TRUE(store.LoadProblem().IsEmpty() && !fs::exists(nested));
  EXPECT_TRUE(store.Set("K", "V", 1UL) && store.WriteProblem().IsEmpty());
  EXPECT_EQ(FileSettingsStore(nested).GetNumber("K", "V"), 1UL);

  // A path that cannot be read is reported.
  fs::remove(Path());
  fs::create_directory(Path());
  FileSettingsStore unreadable(Path());
  EXPECT_NE(unreadable.LoadProblem().Find("cannot be read"), -1) << unreadable.LoadProblem().str();

  // An unwritable folder refuses changes and keeps the file.
  const std::string before = ReadFileText(nested);
  ReadOnlyFolder readOnly(m_dir.Path() / "a/b");
  if (!readOnly.Enforced()) GTEST_SKIP() << "permission bits are not enforced for this process";
  EXPECT_FALSE(store.Set("K", "V", 2UL) || store.Delete("K", "V"));
  EXPECT_EQ(store.GetNumber("K", "V"), 1UL);
  EXPECT_NE(store.WriteProblem().Find(nested.c_str()), -1) << store.WriteProblem().str();
  EXPECT_EQ(ReadFileText(nested), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path() / "a/b"), fs::directory_iterator{}), 1);
}

TEST_F(FileSettingsStoreTest, DamagedFileIsReportedOnceAndReplacedByDefaults) {
  struct Case {
    const char* contents;
    const char* complaint;
  };
  const Case cases[] = {
      {"{\"version\": 1,\n \"keys\": {", "line 2"},
      {"", "parse error"},
      {"[1, 2]", "top level"},
      {R"({"keys": {}})", "\"version\""},
      {R"({"version": 2, "keys": {}})", "\"version\""},
      {R"({"version": 1})", "\"keys\""},
      {R"({"version": 1, "keys": {"Grid": 5}})", "\"Grid\""},
      {R"({"version": 1, "keys": {"Grid": {"Width": -3}}})", "\"Width\""},
      {R"({"version": 1, "keys": {"Grid": {"Width": 1.5}}})", "\"Width\""},
      // 36addd3: a number too large for a double crashed the program; it is set aside now.
      {R"({"version": 1, "keys": {"Grid": {"Width": 1e999}}})", "number overflow"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.contents);
    WriteFileText(Path(), c.contents);
    FileSettingsStore store(Path());
    const CString problem = store.LoadProblem();
    EXPECT_NE(problem.Find(Path().c_str()), -1) << problem.str();
    EXPECT_NE(problem.Find(c.complaint), -1) << problem.str();
    EXPECT_EQ(store.Find("Grid", "Width"), nullptr);

    ASSERT_TRUE(store.Set("Grid", "Enabled", true));
    EXPECT_EQ(store.LoadProblem(), problem);
    FileSettingsStore replaced(Path());
    EXPECT_TRUE(replaced.LoadProblem().IsEmpty()) << replaced.LoadProblem().str();
    EXPECT_EQ(replaced.GetBool("Grid", "Enabled"), true);
  }
}

}  // namespace
