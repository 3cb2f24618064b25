// Where the program looks for its font mapping, and what it reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/data_paths.h"
#include "app/font_config.h"

namespace dw {
namespace {

namespace fs = std::filesystem;

TEST(DataPaths, CandidatesPutTheProgramsOwnPrefixFirst) {
  struct Case {
    const char* what;
    DataPathContext context;
    std::vector<fs::path> expected;
  };
  const fs::path build = "/src/deskwatch/build/release", source = "/src/deskwatch";
  const Case cases[] = {
      {"installed where it was configured",
       {"/usr/bin/deskwatch", "/usr/share/deskwatch", build, source},
       {"/usr/share/deskwatch/fonts.conf"}},
      {"installed elsewhere (a copied tree, dpkg -x)",
       {"/tmp/t/usr/bin/deskwatch", "/usr/local/share/deskwatch", build, source},
       {"/tmp/t/usr/share/deskwatch/fonts.conf", "/usr/local/share/deskwatch/fonts.conf"}},
      {"run from its build tree: the source tree's file, never an older installed one",
       {build / "src/app/deskwatch", "/usr/local/share/deskwatch", build, source},
       {build / "src/share/deskwatch/fonts.conf", "/src/deskwatch/src/app/fonts.conf"}},
      {"a sibling folder of the build tree is not inside it",
       {"/src/deskwatch/build/release-2/bin/deskwatch", "/opt/dw/share/deskwatch", build, source},
       {"/src/deskwatch/build/release-2/share/deskwatch/fonts.conf",
        "/opt/dw/share/deskwatch/fonts.conf"}},
      {"program path unknown",
       {"", "/usr/share/deskwatch", build, source},
       {"/usr/share/deskwatch/fonts.conf"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontConfigCandidates(c.context), c.expected) << c.what;
  }
}

class FontConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ =
        fs::temp_directory_path() /
        ("deskwatch-paths-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root_ / "bin");
    fs::create_directories(root_ / "share/deskwatch");
    context_ = {root_ / "bin/deskwatch", root_ / "nowhere", "/nonexistent-build", "/nowhere"};
  }
  void TearDown() override { fs::remove_all(root_); }
  void Write(const std::string& text) {
    std::ofstream(root_ / "share/deskwatch/fonts.conf", std::ios::binary) << text;
  }
  fs::path root_;
  DataPathContext context_;
};

TEST_F(FontConfigFile, TheInstalledFileIsRead) {
  Write("<fontconfig><!-- installed --></fontconfig>\n");
  EXPECT_EQ(LoadFontConfig(context_), "<fontconfig><!-- installed --></fontconfig>\n");
}

TEST_F(FontConfigFile, WithoutAUsableFileTheBuiltInCopyServes) {
  EXPECT_EQ(LoadFontConfig(context_), FontConfigSnippet()) << "no file";
  Write("");
  EXPECT_EQ(LoadFontConfig(context_), FontConfigSnippet()) << "empty file";
  fs::remove(root_ / "share/deskwatch/fonts.conf");
  fs::create_directory(root_ / "share/deskwatch/fonts.conf");
  EXPECT_EQ(LoadFontConfig(context_), FontConfigSnippet()) << "a directory of that name";
  EXPECT_NE(FontConfigSnippet().find("DSEG7 Classic"), std::string::npos);
}

TEST(DataPaths, ThisProgramKnowsItsOwnFile) {
  const DataPathContext self = ThisProgram();
  EXPECT_TRUE(self.executable.is_absolute());
  EXPECT_TRUE(fs::exists(self.executable));
  EXPECT_EQ(self.installDataDir.filename(), "deskwatch");
}

}  // namespace
}  // namespace dw
