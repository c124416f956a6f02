// The command line of the application.
#include <gtest/gtest.h>

#include <vector>

#include "app/editor_options.h"

namespace {

bool Parse(std::vector<const char*> words, EditorOptions& options, CString& error) {
  words.insert(words.begin(), "component-editor");
  return ParseEditorOptions(static_cast<int>(words.size()), words.data(), options, error);
}

TEST(EditorOptionsTest, ReadsTheLibraryTheComponentAndTheScriptedRun) {
  EditorOptions options;
  CString error;
  ASSERT_TRUE(Parse({"lib.cmplib"}, options, error)) << error.str();
  EXPECT_EQ(options.library, "lib.cmplib");
  EXPECT_FALSE(options.assignment.has_value());

  ASSERT_TRUE(Parse({"--open", "a.cmplib", "--component", "NAND", "--self-test", "out", "--assign", "2:3=14"},
                    options, error))
      << error.str();
  EXPECT_EQ(options.library, "a.cmplib");
  EXPECT_EQ(options.component, "NAND");
  EXPECT_EQ(options.selfTestDirectory, "out");
  ASSERT_TRUE(options.assignment.has_value());
  EXPECT_EQ(options.assignment->gate, 2);
  EXPECT_EQ(options.assignment->terminal, 3);
  EXPECT_EQ(options.assignment->pin, 14);
}

TEST(EditorOptionsTest, RefusesWordsThatDoNotFitAndSaysWhich) {
  const std::vector<std::vector<const char*>> wrong = {
      {"--component", "NAND"},                                  // no library
      {"a.cmplib", "b.cmplib"},                                 // two libraries
      {"--open"},                                               // no value
      {"--colour", "red"},                                      // unknown option
      {"a.cmplib", "--component", "N", "--assign", "0:1"},      // no pin
      {"a.cmplib", "--component", "N", "--assign", "0:0=3"},    // terminals count from 1
      {"a.cmplib", "--component", "N", "--self-test", "out"},   // nothing to assign
      {"a.cmplib", "--self-test", "out", "--assign", "0:1=3"},  // no component
  };
  for (const auto& words : wrong) {
    EditorOptions options;
    options.library = "kept";
    CString error;
    EXPECT_FALSE(Parse(words, options, error)) << words[0];
    EXPECT_FALSE(error.IsEmpty()) << words[0];
    EXPECT_EQ(options.library, "kept") << "a refused line changes nothing";
  }
}

}  // namespace
