// Recovery copies of unsaved work: when they are written, what removes them, and what
// the next start offers from a program that ended without saving. The copies are timed
// by a clock the test moves; the writer thread is waited for, never slept on.
#include <sys/wait.h>
#include <unistd.h>

#include "app/recovery_schedule.h"
#include "tests/app/app_fixture.h"

namespace {

// A process id that no program has any more: a child that has ended and been reaped.
long GonePid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

class AppRecoveryTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    RestartWithoutSaving(false);
  }
  void RestartWithoutSaving(bool restart = true) {
    if (restart) Restart();
    App().SetRecoveryClock([this] { return m_now; });
  }
  fs::path Folder() { return App().RecoveryFolder().str(); }
  // Moves the clock on and lets the program's timer run.
  void Wait(int seconds) {
    m_now += std::chrono::seconds(seconds);
    App().OnRecoveryTimer();
    App().WaitForRecoveryCopies();
  }
  void TypePin(int pin) { ASSERT_TRUE(user.EditGridCell(&Cells(), 1, 3, CString(std::to_string(pin)))); }
  // The pin of gate a's first terminal in the one copy there is; -1 when there is none.
  int CopiedPin() {
    const std::vector<fs::path> files = RecoveryFiles();
    return files.size() != 1 ? -1
                             : ReadRecovery(files[0]).component.records.at(0).gates.at(0).terminals.at(0).pin;
  }
  // The program's copies, as a program that has ended would have left them.
  void LeaveCopiesBehind(const std::function<void(RecoveryCopy&)>& change = {}) {
    const long gone = GonePid();
    for (const fs::path& file : RecoveryFiles()) {
      RecoveryCopy copy = ReadRecovery(file);
      copy.owner = {gone, 0};
      if (change) change(copy);
      WriteFileText(Folder() / (file.stem().string() + "-left.recovery"), CRecoveryStore::Format(copy));
    }
  }

  RecoverySchedule::Clock::time_point m_now{};
};

// A copy follows a pause or a minute of work; closing without saving removes it (as
// does quitting, which closes, and a save: the new component's path checks that).
TEST_F(AppRecoveryTest, ACopyFollowsAPauseOrAMinuteOfWorkAndGoesWithTheComponent) {
  ASSERT_TRUE(Open());
  Wait(60);
  EXPECT_TRUE(RecoveryFiles().empty()) << "nothing changed, nothing to copy";
  TypePin(13);
  Wait(2);
  EXPECT_EQ(CopiedPin(), -1) << "the user is still at work";
  Wait(1);
  EXPECT_EQ(CopiedPin(), 13) << "three quiet seconds";
  // Changes every two seconds: the copy waits for no pause longer than a minute.
  for (int second = 2; second <= 60; second += 2) {
    TypePin(second % 4 == 0 ? 11 : 12);
    Wait(2);
    ASSERT_EQ(CopiedPin(), second < 60 ? 13 : 11) << "after " << second << " seconds of work";
  }
  Screen().ExpectMessageBox(IDNO);
  ASSERT_TRUE(user.PressAccelerator(&Main(), 'W', FCONTROL));
  App().WaitForRecoveryCopies();
  EXPECT_TRUE(RecoveryFiles().empty());
}

// Restored, a copy is a new tab with the copy's records, unsaved, with nothing to undo,
// and the old copy becomes this program's own. A library changed since is said first,
// and No keeps the copy in the list.
TEST_F(AppRecoveryTest, RestoreOpensTheCopyAsAnUnsavedTabWhereUndoStarts) {
  ASSERT_TRUE(Open());
  TypePin(13);
  Wait(3);
  LeaveCopiesBehind();
  RestartWithoutSaving();
  const auto stamp = fs::last_write_time(Library().str());
  WriteFileText(Library().str(), original + "\n");
  Screen().ExpectDialog(IDD_RECOVERY, [&](CDialog& dialog, UserInput& input) {
    EXPECT_EQ(Items(dialog.GetDlgItem(IDC_RECOVERY_LIST)),
              std::vector<CString>{"QUAD-NAND2\tsample.cmplib\tjust now"});
    input.Click(dialog.GetDlgItem(IDOK));
    EXPECT_TRUE(dialog.IsModalActive()) << "No keeps the copy in the list";
    WriteFileText(Library().str(), original);
    fs::last_write_time(Library().str(), stamp);
    input.Click(dialog.GetDlgItem(IDOK));
  });
  Screen().ExpectMessageBox(IDNO);
  App().OfferRecoveryCopies();
  EXPECT_EQ(MessagesHolding("has changed on disk"), 1) << "the library as it was restores without a question";
  ASSERT_EQ(App().CountOpenComponents(), 1);
  EXPECT_EQ(Pin(), 13);
  EXPECT_TRUE(Frame().GetDesign()->IsModified());
  EXPECT_FALSE(Frame().GetDesign()->CanUndo());
  App().WaitForRecoveryCopies();
  ASSERT_EQ(RecoveryFiles().size(), 1U);
  EXPECT_EQ(RecoveryFiles()[0].string().find("-left"), std::string::npos)
      << "the old copy is gone, a new one there";
  EXPECT_EQ(CopiedPin(), 13);
}

// Unreadable files are listed with their problem and kept. Copies of running programs
// are not listed; a file is deleted only when the user says Yes to Discard
// (2997348: Discard had deleted more than the file chosen).
TEST_F(AppRecoveryTest, UnreadableFilesAreReportedAndKeptAndRunningProgramsKeepTheirCopies) {
  ASSERT_TRUE(Open());
  TypePin(13);
  Wait(3);
  LeaveCopiesBehind([](RecoveryCopy& copy) { copy.owner = *ProcessIdentity::Of(getppid()); });
  const std::string copy = ReadFileText(RecoveryFiles().front());
  RestartWithoutSaving();
  // Each row: a file, its text, and what the dialog must say about it.
  const std::string rows[][3] = {
      {"a.recovery", copy.substr(0, copy.size() / 2), "a.recovery"},
      {"b.recovery", "{\"format\": \"component-editor-recovery\", \"version\": 9}\n", "newer version"},
      {"notes.txt", "mine", "not a recovery copy"},
  };
  for (const auto& row : rows) WriteFileText(Folder() / row[0], row[1]);
  Screen().ExpectDialog(IDD_RECOVERY, [&](CDialog& dialog, UserInput& input) {
    CWnd* list = dialog.GetDlgItem(IDC_RECOVERY_LIST);
    EXPECT_EQ(Items(list).size(), std::size(rows));
    for (int line = 0; line < static_cast<int>(std::size(rows)); ++line) {
      input.SelectListLine(list, line);
      const CString detail = dialog.GetDlgItem(IDC_RECOVERY_DETAIL)->GetWindowText();
      EXPECT_NE(detail.Find(CString(rows[line][2])), -1) << detail.str();
    }
    input.SelectListLine(list, 0);
    input.Click(dialog.GetDlgItem(IDOK));
    input.Click(dialog.GetDlgItem(IDC_RECOVERY_DISCARD));
    input.SelectListLine(list, 2);
    input.Click(dialog.GetDlgItem(IDC_RECOVERY_DISCARD));
    input.Click(dialog.GetDlgItem(IDCANCEL));
  });
  Screen().ExpectMessageBox(IDOK);
  Screen().ExpectMessageBox(IDNO);
  Screen().ExpectMessageBox(IDYES);
  App().OfferRecoveryCopies();
  EXPECT_FALSE(fs::exists(Folder() / "notes.txt")) << "Discard and Yes delete";
  EXPECT_EQ(RecoveryFiles().size(), std::size(rows)) << "Later and No keep the other files";
  EXPECT_EQ(App().CountOpenComponents(), 0);
}

}  // namespace
