// The command-line tool as a script runs it, in a folder of the test's own that holds a
// copy of the sample library with its symbol libraries beside it, and small libraries of
// the field's formats.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <list>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/cli_commands.h"
#include "host/model/component.h"
#include "host/model/component_library_file.h"
#include "host/model/design.h"
#include "host/model/gate.h"
#include "tests/app/component_text.h"
#include "tests/support/cli_run.h"
#include "tests/support/file_text.h"
#include "tests/support/kicad_import_samples.h"
#include "tests/support/library_text.h"
#include "tests/support/scratch_folder.h"

using nlohmann::json;
namespace Samples = KicadImportSamples;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"sample.cmplib", "logic.scmlib", "analog.scmlib", "footprints.pcblib"})
      std::filesystem::copy_file(std::string(CE_DATA_DIR "/") + name, folder.Path() / name);
    KicadImportSamples::Write(folder.Path());
    original = ReadFileText(Sample());
  }

  static CliRun Run(std::vector<std::string> words) { return RunCliCommand(RunCli, std::move(words)); }
  std::string Sample() const { return folder / "sample.cmplib"; }
  std::string In(const std::string& name) const { return folder / name; }

  // The record of `name` for `package` (the first when empty) as `library` holds it now.
  const CComponent* Load(const std::string& library, const char* name, const char* package = "") {
    CString error;
    CDesign& design = m_designs.emplace_back();
    EXPECT_TRUE(CComponentLibraryFile::LoadComponent(library.c_str(), name, design, error)) << error.str();
    return *package != '\0' ? design.FindComponent(name, package) : design.FirstComponent();
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
      end = text.find('\n', start);
      lines.push_back(text.substr(start, end - start));
    }
    return lines;
  }

  ScratchFolder folder;
  std::string original;  // the sample's bytes before the test ran a command

 private:
  std::list<CDesign> m_designs;
};
