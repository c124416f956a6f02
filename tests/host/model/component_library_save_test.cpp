// Saving a component into its library: the other components keep their bytes, and a
// refused save, a step of the write that fails or a saving process killed at any moment
// leaves the library exactly as it was or exactly as the save makes it. Changes of the
// library as a whole that the application's and the command line's tests do not reach:
// a rename of case alone, names the file cannot hold, a damaged library, a failed write,
// a new library.
#include <errno.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <thread>

#include "host/model/component_library_edit.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate_names.h"
#include "host/utility/library_file_lock.h"
#include "tests/host/model/model_dump.h"
#include "tests/support/atomic_write_fault.h"
#include "tests/support/file_text.h"
#include "tests/support/library_text.h"
#include "tests/support/permissions.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using Step = AtomicWriteStep;

using File = CComponentLibraryFile;
using Edit = CComponentLibraryEdit;
constexpr const char* kComponent = "QUAD-NAND2";

class ComponentLibrarySaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileText(Library().str(), ReadFileText(CE_DATA_DIR "/sample.cmplib"));
    m_original = ReadFileText(Library().str());
    ASSERT_TRUE(File::LoadComponent(Library(), kComponent, m_asLoaded, m_error)) << m_error.str();
    ASSERT_TRUE(File::LoadComponent(Library(), kComponent, m_changed, m_error)) << m_error.str();
    ASSERT_NE(m_changed.FirstComponent()->GetPinNumber(0, 1), 14);
    m_changed.FirstComponent()->SetPinNumber(0, 1, 14);
    m_saved = SavedBytes(m_changed);
  }

  CString Library() const { return (m_scratch / "parts.cmplib").c_str(); }
  std::string Text() const { return ReadFileText(Library().str()); }
  // What saving `design` into the library makes of it, found on a copy.
  std::string SavedBytes(const CDesign& design) {
    const std::string copy = m_scratch / "copy.cmplib";
    WriteFileText(copy, m_original);
    EXPECT_TRUE(File::SaveComponent(copy.c_str(), kComponent, design, m_error)) << m_error.str();
    std::string bytes = ReadFileText(copy);
    fs::remove(copy);
    return bytes;
  }
  // The other components as the file holds them, in the program's layout.
  static std::string OtherComponents(const std::string& text) {
    std::vector<LibraryComponent> components;
    CString error;
    EXPECT_TRUE(File::Parse(text, "parts.cmplib", components, error)) << error.str();
    std::erase_if(components, [](const LibraryComponent& c) { return c.name == kComponent; });
    return File::Format(components);
  }
  // The library's folder holds the library and nothing else.
  void ExpectOnlyTheLibrary() const {
    for (const auto& entry : fs::directory_iterator(m_scratch.Path()))
      EXPECT_EQ(entry.path().filename(), "parts.cmplib") << "left behind";
  }

  ScratchFolder m_scratch;
  std::string m_original;
  std::string m_saved;
  CDesign m_asLoaded;
  CDesign m_changed;
  CString m_error;
};

TEST_F(ComponentLibrarySaveTest, ASaveThatFailsAtAnyStepSaysWhereAndLeavesTheLibraryAsItWas) {
  ASSERT_NE(m_saved, m_original);
  ASSERT_EQ(OtherComponents(m_saved), OtherComponents(m_original)) << "a save changes its component only";
  const std::pair<Step, int> failures[] = {{Step::CreateTemporary, EACCES}, {Step::Write, ENOSPC},
                                           {Step::CopyPermissions, EPERM},  {Step::Flush, EIO},
                                           {Step::Close, EDQUOT},           {Step::Rename, EBUSY}};
  for (const auto& [step, err] : failures) {
    SCOPED_TRACE(AtomicWriteStepName(step));
    CString error;
    {
      ScopedAtomicWriteFault fault(step, err);
      EXPECT_FALSE(File::SaveComponent(Library(), kComponent, m_changed, error));
    }
    EXPECT_EQ(error.Find("Cannot write \"" + Library() + "\": "), 0) << error.str();
    EXPECT_NE(error.Find(std::strerror(err)), -1) << error.str();
    EXPECT_EQ(ReadFileText(Library().str()), m_original);
    ExpectOnlyTheLibrary();
  }
  ASSERT_TRUE(File::SaveComponent(Library(), kComponent, m_changed, m_error)) << m_error.str();
  EXPECT_EQ(ReadFileText(Library().str()), m_saved);
}

// Saves in a child process and, given a delay, kills it after that delay; the child's
// exit status, -1 when the kill came first, -2 when there is no child.
int SaveInChild(const CString& path, const CDesign& design,
                std::optional<std::chrono::microseconds> killAfter) {
  const pid_t child = ::fork();
  if (child == 0) {
    CString error;
    ::_exit(File::SaveComponent(path, kComponent, design, error) ? 0 : 1);
  }
  if (child < 0) return -2;
  if (killAfter) {
    std::this_thread::sleep_for(*killAfter);
    ::kill(child, SIGKILL);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return -2;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(ComponentLibrarySaveTest, ASaveKilledAtAnyMomentLeavesTheOldLibraryOrTheNewOne) {
  // The seed of the delays comes from CE_KILL_SEED when set, so that a failed run can be
  // repeated.
  const char* given = std::getenv("CE_KILL_SEED");
  const unsigned seed =
      given != nullptr ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
  SCOPED_TRACE("CE_KILL_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  // One whole save, fork to exit, sets the range of the delays, so that the kills fall
  // before, during and after the write on any machine.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(SaveInChild(Library(), m_asLoaded, std::nullopt), 0);
  const auto whole =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  std::uniform_int_distribution<long> delays(0, std::max<long>(whole.count(), 1));

  for (int round = 0; round < 40; ++round) {
    const bool wasOriginal = ReadFileText(Library().str()) == m_original;
    const int exit = SaveInChild(Library(), wasOriginal ? m_changed : m_asLoaded,
                                 std::chrono::microseconds(delays(random)));
    ASSERT_NE(exit, -2) << "no child process";
    ASSERT_NE(exit, 1) << "the save itself failed in round " << round;
    const std::string now = ReadFileText(Library().str());
    ASSERT_TRUE(now == m_original || now == m_saved) << "round " << round << " left a mix";
    if (exit == 0) {
      ASSERT_EQ(now, wasOriginal ? m_saved : m_original) << "a finished save is on disk";
    }
  }
  // A killed save cannot remove its temporary file nor its lock file; the next save
  // clears both away.
  ASSERT_EQ(SaveInChild(Library(), m_asLoaded, std::nullopt), 0);
  ExpectOnlyTheLibrary();
}

// The save reads the library again under its lock: what another writer did to other
// components since the component was opened stays; what it did to this component makes
// the save refuse, until the user chooses to overwrite it.
TEST_F(ComponentLibrarySaveTest, ASaveKeepsOthersChangesAndRefusesWhenItsComponentChangedOnDisk) {
  CDesign opened;
  std::string storedForm;
  ASSERT_TRUE(File::LoadComponent(Library(), kComponent, opened, storedForm, m_error));
  opened.FirstComponent()->SetPinNumber(0, 1, 14);
  ComponentSaveConditions conditions{kComponent, storedForm, {}};

  ASSERT_TRUE(Edit::RenameComponent(Library(), "HEX-INV", "HEX-INV-B", m_error));
  ASSERT_EQ(File::SaveComponent(Library(), kComponent, opened, conditions, m_error),
            ComponentSaveResult::Saved)
      << m_error.str();
  std::vector<LibraryEntry> entries;
  ASSERT_TRUE(File::ReadContents(Library(), entries, m_error));
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const LibraryEntry& e) {
    return e.name == "HEX-INV-B";
  })) << "the other writer's rename survived the save";

  conditions.openedForm = File::StoredForm(File::CollectComponent(opened, kComponent));
  // Another writer changes the saved component itself.
  ASSERT_TRUE(File::SaveComponent(Library(), kComponent, m_asLoaded, m_error));
  const std::string before = ReadFileText(Library().str());
  EXPECT_EQ(File::SaveComponent(Library(), kComponent, opened, conditions, m_error),
            ComponentSaveResult::ChangedOnDisk);
  EXPECT_NE(m_error.Find("was changed by another program since it was opened"), -1) << m_error.str();
  EXPECT_TRUE(ReadFileText(Library().str()) == before) << "the file was left as it was";
  conditions.openedForm.reset();
  EXPECT_EQ(File::SaveComponent(Library(), kComponent, opened, conditions, m_error),
            ComponentSaveResult::Saved);
}

TEST_F(ComponentLibrarySaveTest, ASecondWriterWaitsThenRefusesNamingTheHolder) {
  CLibraryFileLock first;
  ASSERT_TRUE(first.Acquire(Library(), m_error)) << m_error.str();
  ASSERT_TRUE(first.Held());
  CLibraryFileLock second;
  EXPECT_FALSE(second.Acquire(Library(), m_error, std::chrono::milliseconds(30)));
  EXPECT_NE(m_error.Find("is being changed by"), -1) << m_error.str();
  EXPECT_NE(m_error.Find(CString("(process " + std::to_string(::getpid()) + ")")), -1) << m_error.str();
  first.Release();
  EXPECT_TRUE(second.Acquire(Library(), m_error, std::chrono::milliseconds(30))) << m_error.str();
  second.Release();
  ExpectOnlyTheLibrary();
}

TEST_F(ComponentLibrarySaveTest, EditsOfTheWholeLibraryRefuseWhatWouldNotReadBackAndLeaveItsBytes) {
  ASSERT_TRUE(Edit::RenameComponent(Library(), "dual-opamp", "Dual-Opamp", m_error)) << m_error.str();
  EXPECT_FALSE(ComponentBytes(Text(), "Dual-Opamp").empty()) << "a change of case is no clash with itself";
  EXPECT_EQ(TextWithout(Text(), "Dual-Opamp"), TextWithout(m_original, "DUAL-OPAMP"));
  WriteFileText(Library().str(), m_original);

  const auto expectRefused = [&](bool done, const std::string& said) {
    EXPECT_FALSE(done) << said;
    EXPECT_NE(m_error.Find(said.c_str()), -1) << m_error.str();
    EXPECT_EQ(Text(), m_original) << said;
    ExpectOnlyTheLibrary();
  };
  // The application and the command line check names first; the library itself still
  // never writes what it could not read back.
  const std::string tooLong(File::kMaxNameLength + 1, 'X');
  expectRefused(Edit::CopyComponent(Library(), "HEX-INV", tooLong.c_str(), m_error),
                "The library would not read back, so it was left as it was: ");
  expectRefused(Edit::RenameComponent(Library(), "HEX-INV", "", m_error), "empty");
  // Bytes that are not UTF-8 would be written as replacement characters: the name would
  // change without a word.
  for (const auto& [name, said] : {std::pair{"AB\xFF", "byte 3 (0xFF)"},
                                   {"\xC3(", "byte 1 (0xC3)"},
                                   {"A\xC0\x80", "byte 2 (0xC0)"},
                                   {"AB\xED\xA0\x80", "byte 3 (0xED)"}})
    expectRefused(Edit::RenameComponent(Library(), kComponent, name, m_error),
                  std::string("The component name is not valid UTF-8: ") + said);
  EXPECT_TRUE(Edit::RenameComponent(Library(), kComponent, "QUAD-NAND2-\xC3\xA9", m_error)) << m_error.str();
  WriteFileText(Library().str(), m_original);
  expectRefused(Edit::CreateLibrary(Library(), m_error), "already exists");
  {
    ScopedAtomicWriteFault fault(Step::Rename, EACCES);
    expectRefused(Edit::DeleteComponent(Library(), "HEX-INV", m_error), std::strerror(EACCES));
  }
  m_original.resize(m_original.size() / 2);
  WriteFileText(Library().str(), m_original);
  expectRefused(Edit::DeleteComponent(Library(), "HEX-INV", m_error), "parts.cmplib");

  const CString fresh = (m_scratch / "fresh.cmplib").c_str();
  ASSERT_TRUE(Edit::CreateLibrary(fresh, m_error)) << m_error.str();
  std::vector<LibraryEntry> entries{{"x", {}, 0}};
  ASSERT_TRUE(File::ReadContents(fresh, entries, m_error)) << m_error.str();
  EXPECT_TRUE(entries.empty());
}

TEST_F(ComponentLibrarySaveTest, SavingOneComponentLeavesTheOthersByteForByte) {
  CDesign design;
  ASSERT_TRUE(File::LoadComponent(Library(), "dual-opamp", design, m_error)) << m_error.str();
  CComponent* dip = design.FindComponent("DUAL-OPAMP", "DIP-8");
  ASSERT_NE(dip, nullptr);
  std::string pins;
  for (int pin = 1, gate = 0, terminal = 0; dip->GetGateAndTerminal(pin, gate, terminal); ++pin)
    pins += " " + std::to_string(pin) + "=" + GateString(gate).str() + dip->GetPinName(gate, terminal).str();
  EXPECT_EQ(pins, " 1=aOUT 2=aIN- 3=aIN+ 4=cV- 5=bIN+ 6=bIN- 7=bOUT 8=cV+");

  dip->SetPinNumber(0, 1, 6);
  dip->AddAttribute("Supply", "3 to 32 V");
  ASSERT_TRUE(File::SaveComponent(Library(), "DUAL-OPAMP", design, m_error)) << m_error.str();
  EXPECT_NE(ComponentBytes(Text(), "DUAL-OPAMP"), ComponentBytes(m_original, "DUAL-OPAMP"));
  EXPECT_EQ(TextWithout(Text(), "DUAL-OPAMP"), TextWithout(m_original, "DUAL-OPAMP"));
  CDesign reloaded;
  ASSERT_TRUE(File::LoadComponent(Library(), "DUAL-OPAMP", reloaded, m_error)) << m_error.str();
  EXPECT_EQ(DumpDesign(reloaded), DumpDesign(design));

  // A component the file lacks goes last; a missing file becomes a library.
  design.FindComponent("DUAL-OPAMP", "SOIC-8")->SetName("OPAMP-2");
  for (const CString& file : {Library(), CString((m_scratch / "fresh.cmplib").c_str())}) {
    ASSERT_TRUE(File::SaveComponent(file, "opamp-2", design, m_error)) << m_error.str();
    std::vector<LibraryEntry> entries;
    ASSERT_TRUE(File::ReadContents(file, entries, m_error)) << m_error.str();
    EXPECT_EQ(entries.back().name, "OPAMP-2");
    EXPECT_EQ(entries.back().packages, std::vector<CString>{"SOIC-8"});
  }
}

TEST_F(ComponentLibrarySaveTest, RefusedSavesLeaveTheFileAsItWas) {
  const auto expectRefused = [&](const char* name, const std::string& reason) {
    EXPECT_FALSE(File::SaveComponent(Library(), name, m_changed, m_error)) << reason;
    EXPECT_NE(m_error.Find(reason.c_str()), -1) << m_error.str();
    EXPECT_EQ(Text(), m_original) << reason;
  };
  expectRefused("HEX-INV", "the design holds no record of it");
  CComponent* soic = m_changed.FindComponent("QUAD-NAND2", "SOIC-14");
  soic->SetPackage("dip-14");
  expectRefused(kComponent,
                "at /components/0/packages/1/package: the package name \"dip-14\" is already used");
  soic->SetPackage("SOIC-14");
  m_changed.FirstComponent()->SetDescription("two\nlines");
  expectRefused(kComponent, "at /components/0/packages/0/description: the text holds a control character");
  m_changed.FirstComponent()->SetDescription("one line");
  m_original.resize(m_original.size() / 2);
  WriteFileText(Library().str(), m_original);
  expectRefused(kComponent, "at line");

  m_original = ReadFileText(CE_DATA_DIR "/sample.cmplib");
  WriteFileText(Library().str(), m_original);
  ReadOnlyFolder readOnly(m_scratch.Path());
  if (!readOnly.Enforced()) GTEST_SKIP() << "permission bits are not enforced";
  expectRefused(kComponent, Library().str());
  ExpectOnlyTheLibrary();
}

}  // namespace
