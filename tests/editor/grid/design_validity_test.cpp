// The frame's validity check of the design: when it runs, what the user is shown or
// asked, and that its report file does not outlive it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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
    fs::create_directory(m_scratch.Path() / "tmp");
    SampleEditorTest::SetUp();
  }

  ScratchFolder m_scratch;
  EnvironmentOverride m_temporaryFolder{"TMPDIR", (m_scratch.Path() / "tmp").string()};
};

TEST_F(DesignValidityTest,
       TheSettingDecidesWhetherTheCheckRunsTheUserWhetherToGoOnAndAnExplicitOneShowsTheReport) {
  Component().SetPinNumber(0, 1, 99);  // a pin the package does not have
  EXPECT_TRUE(Frame().IsDesignValid(false)) << "without the setting the check is skipped";
  EXPECT_EQ(Screen().WaitCursorShownCount(), 0);
  Settings().Set("Design", "CheckValid", true);
  const CString report = Design().CheckValid((m_scratch.Path() / "check.report").string());
  ASSERT_NE(report.Find("99"), -1);
  const CString question =
      "The design check found the following problems:\n\n" + report + "\n\nDo you want to continue anyway?";
  Screen().ExpectMessageBox(IDYES, question);
  EXPECT_TRUE(Frame().IsDesignValid(false));
  Screen().ExpectMessageBox(IDNO, question);
  EXPECT_FALSE(Frame().IsDesignValid(false));
  EXPECT_EQ(Screen().MessageBoxesShown().at(0).type & MB_YESNO, MB_YESNO);

  Settings().Set("Design", "CheckValid", false);
  EXPECT_FALSE(Frame().IsDesignValid(true)) << "an explicit check always runs";
  ASSERT_EQ(Screen().TextFilesShown().size(), 1u);
  EXPECT_EQ(fs::path(Screen().TextFilesShown()[0].str()).parent_path(), fs::path(std::getenv("TMPDIR")));
  EXPECT_EQ(Screen().TextFileTitlesShown()[0], "Check Validity - " + Component().GetName());
  Component().SetPinNumber(0, 1, 1);
  EXPECT_TRUE(Frame().IsDesignValid(true));
  EXPECT_EQ(Screen().TextFilesShown().size() + Screen().MessageBoxesShown().size(), 3u)
      << "a valid design passes silently";
  EXPECT_EQ(Screen().WaitCursorDepth(), 0);
  EXPECT_TRUE(fs::is_empty(m_scratch.Path() / "tmp")) << "the report file is gone";
}

}  // namespace
