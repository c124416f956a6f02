// The command line of the application.
#include <gtest/gtest.h>

#include <vector>

#include "app/editor_options.h"

namespace {

bool Parse(std::vector<const char*> words, EditorOptions& options, CString& error) {
  words.insert(words.begin(), "component-editor");
  return ParseEditorOptions(static_cast<int>(words.size()), words.data(), options, error);
}

TEST(EditorOptionsTest, ReadsTheLibraryAndTheComponent) {
  EditorOptions options;
  CString error;
  ASSERT_TRUE(Parse({}, options, error)) << error.str();
  EXPECT_TRUE(options.library.IsEmpty());
  EXPECT_TRUE(options.component.IsEmpty());

  ASSERT_TRUE(Parse({"lib.cmplib"}, options, error)) << error.str();
  EXPECT_EQ(options.library, "lib.cmplib");
  EXPECT_TRUE(options.component.IsEmpty());

  ASSERT_TRUE(Parse({"--component", "NAND", "--open", "a.cmplib"}, options, error)) << error.str();
  EXPECT_EQ(options.library, "a.cmplib");
  EXPECT_EQ(options.component, "NAND");

  ASSERT_TRUE(Parse({"b.cmplib", "--component", "INV"}, options, error)) << error.str();
  EXPECT_EQ(options.library, "b.cmplib");
  EXPECT_EQ(options.component, "INV");
}

TEST(EditorOptionsTest, ReadsEveryLibraryFolderOffered) {
  EditorOptions options;
  CString error;
  ASSERT_TRUE(Parse({"--library-folder", "/a/symbols", "x.cmplib", "--library-folder", "/b/footprints"},
                    options, error))
      << error.str();
  EXPECT_EQ(options.libraryFolders, (std::vector<CString>{"/a/symbols", "/b/footprints"}));
  EXPECT_EQ(options.library, "x.cmplib");
  EXPECT_FALSE(Parse({"--library-folder"}, options, error));
  EXPECT_NE(error.Find("--library-folder needs a value"), -1) << error.str();
}

TEST(EditorOptionsTest, RefusesWordsThatDoNotFitAndSaysWhich) {
  struct Case {
    std::vector<const char*> words;
    const char* named;  // what the message must name
  };
  const std::vector<Case> wrong = {
      {{"--component", "NAND"}, "--component needs a library"},
      {{"a.cmplib", "b.cmplib"}, "\"b.cmplib\" is one too many"},
      {{"--open"}, "--open needs a value"},
      {{"a.cmplib", "--component"}, "--component needs a value"},
      {{"--colour", "red"}, "\"--colour\""},
  };
  for (const Case& line : wrong) {
    EditorOptions options;
    options.library = "kept";
    CString error;
    EXPECT_FALSE(Parse(line.words, options, error)) << line.named;
    EXPECT_NE(error.Find(line.named), -1) << error.str();
    EXPECT_EQ(options.library, "kept") << "a refused line changes nothing";
  }
}

}  // namespace
