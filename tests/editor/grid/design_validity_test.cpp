// The frame's validity check of the design: when it runs, what the user is shown or
// asked, and that its report file does not outlive it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/model/component.h"
#include "tests/editor/support/editor_fixture.h"
#include "tests/support/environment.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// Temporary files go to a folder of the test's own, so that what is left is seen.
class DesignValidityTest : public SampleEditorTest {
 protected:
  void SetUp() override {
    fs::create_directory(TemporaryFolder());
    SampleEditorTest::SetUp();
  }

  fs::path TemporaryFolder() const { return m_scratch.Path() / "tmp"; }
  bool TemporaryFilesLeft() const { return !fs::is_empty(TemporaryFolder()); }
  void SetCheckValid(bool on) { Settings().Set("Design", "CheckValid", on); }
  // Terminal A of gate a on a pin the package does not have.
  void BreakDesign() { Component().SetPinNumber(0, 1, 99); }
  // What the design's check reports now.
  CString Report() {
    const fs::path file = m_scratch.Path() / "check.report";
    const CString report = Design().CheckValid(file.string());
    fs::remove(file);
    return report;
  }

 private:
  ScratchFolder m_scratch;
  EnvironmentOverride m_temporaryFolder{"TMPDIR", TemporaryFolder().string()};
};

TEST_F(DesignValidityTest, WithoutTheSettingTheCheckIsSkipped) {
  BreakDesign();
  EXPECT_TRUE(Frame().IsDesignValid(false));
  SetCheckValid(false);
  EXPECT_TRUE(Frame().IsDesignValid(false));
  EXPECT_EQ(Screen().WaitCursorShownCount(), 0);
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_FALSE(TemporaryFilesLeft());
}

TEST_F(DesignValidityTest, AValidDesignPassesSilently) {
  ASSERT_EQ(Report(), "");
  SetCheckValid(true);
  EXPECT_TRUE(Frame().IsDesignValid(false));
  EXPECT_TRUE(Frame().IsDesignValid(true));
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_TRUE(Screen().TextFilesShown().empty());
  EXPECT_EQ(Screen().WaitCursorShownCount(), 2);
  EXPECT_EQ(Screen().WaitCursorDepth(), 0);
  EXPECT_FALSE(TemporaryFilesLeft());
}

TEST_F(DesignValidityTest, TheUserDecidesWhetherToGoOnWithAnInvalidDesign) {
  BreakDesign();
  const CString report = Report();
  ASSERT_NE(report.Find("99"), -1);
  const CString question =
      "The design check found the following problems:\n\n" + report + "\n\nDo you want to continue anyway?";
  SetCheckValid(true);

  Screen().ExpectMessageBox(IDYES, question);
  EXPECT_TRUE(Frame().IsDesignValid(false));
  EXPECT_FALSE(TemporaryFilesLeft());
  Screen().ExpectMessageBox(IDNO, question);
  EXPECT_FALSE(Frame().IsDesignValid(false));
  EXPECT_FALSE(TemporaryFilesLeft());
  ASSERT_EQ(Screen().MessageBoxesShown().size(), 2u);
  EXPECT_EQ(Screen().MessageBoxesShown()[0].type & MB_YESNO, MB_YESNO);
  EXPECT_TRUE(Screen().TextFilesShown().empty());
  EXPECT_EQ(Screen().WaitCursorDepth(), 0);
}

TEST_F(DesignValidityTest, AnExplicitCheckAlwaysRunsAndShowsTheReport) {
  BreakDesign();
  SetCheckValid(false);
  EXPECT_FALSE(Frame().IsDesignValid(true));
  ASSERT_EQ(Screen().TextFilesShown().size(), 1u);
  EXPECT_EQ(fs::path(Screen().TextFilesShown()[0].str()).parent_path(), fs::path(std::getenv("TMPDIR")));
  EXPECT_EQ(Screen().TextFileTitlesShown()[0], "Check Validity - " + Frame().GetComponent(false)->GetName());
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_FALSE(TemporaryFilesLeft());
  EXPECT_EQ(Screen().WaitCursorDepth(), 0);
}

}  // namespace
