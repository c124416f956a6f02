// AfxMessageBox through the backend: scripted answers, recorded texts, the caption.
#include "platform/message_box.h"

#include <memory>
#include <string>
#include <vector>

#include "platform/win_thread.h"
#include "tests/support/headless_test.h"

namespace {

constexpr UINT kQuestion = 90301;

const ResourceModule& TestModule() {
  static const ResourceModule module = [] {
    ResourceModule m;
    m.name = "message_box_test";
    m.strings[kQuestion] = "Remove all pin assignments?";
    return m;
  }();
  return module;
}

class MessageBoxTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    UseResourceModule(TestModule());
  }
};

TEST_F(MessageBoxTest, ScriptedAnswerIsReturnedAndTheBoxRecorded) {
  Screen().ExpectMessageBox(IDYES, CString("Delete gate A?"));
  EXPECT_EQ(AfxMessageBox("Delete gate A?", MB_YESNO | MB_ICONQUESTION), IDYES);
  Screen().ExpectMessageBox(IDCANCEL);
  EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNOCANCEL), IDCANCEL);
  Screen().ExpectMessageBox(IDOK);
  EXPECT_EQ(AfxMessageBox("Done."), IDOK);

  const std::vector<ShownMessageBox>& shown = Screen().MessageBoxesShown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Delete gate A?");
  EXPECT_EQ(shown[0].caption, "Component Editor");
  EXPECT_EQ(shown[0].type, MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(shown[0].answer, IDYES);
  EXPECT_EQ(shown[1].text, "Save changes?");
  EXPECT_EQ(shown[2].type, MB_OK);
}

TEST_F(MessageBoxTest, TextFromTheStringTableAndTheApplicationsNameAsCaption) {
  Screen().ExpectMessageBox(IDNO, CString("Remove all pin assignments?"));
  EXPECT_EQ(AfxMessageBox(kQuestion, MB_YESNO), IDNO);
  {
    CWinApp app("Schematic Capture");
    Screen().ExpectMessageBox(IDOK);
    AfxMessageBox("Hello");
    EXPECT_EQ(Screen().MessageBoxesShown().back().caption, "Schematic Capture");
    EXPECT_EQ(AfxMessageBoxCaption(), "Schematic Capture");
  }
  EXPECT_EQ(AfxMessageBoxCaption(), "Component Editor");
}

// An unexpected box is answered with the refusing answer, a box with the wrong text is
// answered as scripted; both are reported at once.
TEST_F(MessageBoxTest, UnexpectedBoxesAndWrongTextsAreReported) {
  std::vector<std::string> problems;
  Screen().SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
  EXPECT_EQ(AfxMessageBox("Continue anyway?", MB_YESNO), IDNO);
  EXPECT_EQ(AfxMessageBox("Really?", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(AfxMessageBox("Note."), IDOK);
  Screen().ExpectMessageBox(IDYES, CString("Delete gate A?"));
  EXPECT_EQ(AfxMessageBox("Delete gate B?", MB_YESNO), IDYES);
  EXPECT_EQ(Screen().MessageBoxesShown().size(), 4u);
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_NE(problems[0].find("unexpected message box \"Continue anyway?\""), std::string::npos)
      << problems[0];
  EXPECT_NE(problems[3].find("Delete gate B?"), std::string::npos) << problems[3];
}

}  // namespace
