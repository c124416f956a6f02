// AfxMessageBox through the backend: scripted answers, recorded texts, the caption.
#include "platform/message_box.h"

#include <memory>
#include <string>
#include <vector>

#include "editor/resources/component_editor_resources.h"
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

TEST_F(MessageBoxTest, TextFromTheStringTable) {
  Screen().ExpectMessageBox(IDNO, CString("Remove all pin assignments?"));
  EXPECT_EQ(AfxMessageBox(kQuestion, MB_YESNO), IDNO);
  // The component editor's own table, as the module's code asks it.
  Screen().ExpectMessageBox(IDOK, CString("Cannot delete the last package for a component."));
  EXPECT_EQ(AfxMessageBox(IDS_ERR_LAST_PACKAGE), IDOK);
}

TEST_F(MessageBoxTest, CaptionIsTheApplicationsName) {
  {
    CWinApp app("Schematic Capture");
    Screen().ExpectMessageBox(IDOK);
    AfxMessageBox("Hello");
    EXPECT_EQ(Screen().MessageBoxesShown().back().caption, "Schematic Capture");
    EXPECT_EQ(AfxMessageBoxCaption(), "Schematic Capture");
  }
  EXPECT_EQ(AfxMessageBoxCaption(), "Component Editor");
}

TEST_F(MessageBoxTest, UnexpectedMessageBoxFailsFastWithTheRefusingAnswer) {
  std::vector<std::string> problems;
  auto recording = std::make_unique<HeadlessBackend>();
  HeadlessBackend* screen = recording.get();
  recording->SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
  std::unique_ptr<Backend> previous = SetCurrentBackend(std::move(recording));

  const int yesNo = AfxMessageBox("Continue anyway?", MB_YESNO);
  const int okCancel = AfxMessageBox("Really?", MB_OKCANCEL);
  const int ok = AfxMessageBox("Note.");
  const size_t recorded = screen->MessageBoxesShown().size();

  SetCurrentBackend(std::move(previous));
  EXPECT_EQ(yesNo, IDNO);
  EXPECT_EQ(okCancel, IDCANCEL);
  EXPECT_EQ(ok, IDOK);
  EXPECT_EQ(recorded, 3u);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("unexpected message box \"Continue anyway?\""), std::string::npos)
      << problems[0];
}

TEST_F(MessageBoxTest, AWrongTextIsReported) {
  std::vector<std::string> problems;
  auto recording = std::make_unique<HeadlessBackend>();
  recording->SetFailureHandler([&](const std::string& problem) { problems.push_back(problem); });
  recording->ExpectMessageBox(IDYES, CString("Delete gate A?"));
  std::unique_ptr<Backend> previous = SetCurrentBackend(std::move(recording));
  const int answer = AfxMessageBox("Delete gate B?", MB_YESNO);
  SetCurrentBackend(std::move(previous));
  EXPECT_EQ(answer, IDYES);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("Delete gate B?"), std::string::npos);
}

}  // namespace
