// Plot setup files: the rows go out and come back, "Last.plt" beside the
// host configuration, and a file that is no plot setup changes nothing.
#include <fstream>
#include <sstream>

#include "tests/plot/PlotFixture.h"
#include "tests/support/ScratchDir.h"

namespace qv {
namespace {

using testing::PlotFixture;
using testing::ScratchDir;

class PlotSetupFileTest : public PlotFixture {
 public:
  ScratchDir dir;

  void SetUpSomeRows() {
    SetUpRow(2, 4, 9, 3, "  2.5 ", "-1e1");
    tab.EDPlotLabel[2].UserType(" Battery, with spaces ");
    tab.EDUnits[2].UserType("");
    SetUpRow(7, 1, 8, 12, "0.001", "30");
    ClickTo(tab.UDPlotCol[5], 6);  // typed, not applied: saved as shown
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
};

TEST_F(PlotSetupFileTest, SavedRowsComeBackAndAreApplied) {
  SetUpSomeRows();
  const PlotSetupRows saved = plots.RowSetups();
  prompter.files.push_back(dir / "cruise.plt");
  tab.BTStorePlotSetup.UserClick();
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_EQ(prompter.fileDialogs[0].title, "Save Plot Setup");
  EXPECT_EQ(prompter.fileDialogs[0].defaultExtension, "plt");

  const std::string text = Read(dir / "cruise.plt");
  EXPECT_EQ(text.substr(0, text.find('\n')), kPlotSetupHeader);
  EXPECT_NE(text.find("\n9 1 4\n10 1 9\n11 1 1\n12 1 3\n13 0  Battery, with spaces \n14 0   2.5 \n"),
            std::string::npos)
      << text;

  tab.BTClearPlotSetup.UserClick();
  prompter.files.push_back(dir / "cruise.plt");
  tab.BTLoadPlotSetup.UserClick();
  EXPECT_TRUE(prompter.Notices().empty());
  EXPECT_EQ(plots.RowSetups(), saved);
  EXPECT_TRUE(tab.BTPlot[2].Visible());
  EXPECT_TRUE(tab.BTPlot[5].Visible());  // applied on loading
  EXPECT_EQ(plots.Record(1).PortIndex, 8);
  EXPECT_FLOAT_EQ(plots.Record(1).Offset, -10.0f);
  EXPECT_EQ(plots.Record(1).Label, " Battery, with spaces ");
  EXPECT_FLOAT_EQ(plots.Record(6).Scale, 0.001f);
}

TEST_F(PlotSetupFileTest, LastPlotSetupBesideTheHostConfiguration) {
  EXPECT_FALSE(plots.LoadLastPlotSetup(dir.Path().string()));  // none yet: silent
  EXPECT_TRUE(prompter.boxes.empty());
  SetUpSomeRows();
  tab.EDPlotLabel[3].UserType("two\r\nlines");
  ASSERT_TRUE(plots.SaveLastPlotSetup(dir.Path().string()));
  const PlotSetupRows saved = plots.RowSetups();

  Plotting fresh(prompter);
  fresh.StartUp();
  ASSERT_TRUE(fresh.LoadLastPlotSetup(dir.Path().string()));
  PlotSetupRows expected = saved;
  expected[2].label = "two  lines";
  EXPECT_EQ(fresh.RowSetups(), expected);

  EXPECT_FALSE(plots.SaveLastPlotSetup((dir / "no such folder")));
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
}

struct BadFile {
  const char* name;
  std::function<std::string(const std::string&)> spoil;  // the good file's text, spoiled
  const char* caption;
};

class BadPlotFileTest : public PlotSetupFileTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadPlotFileTest, IsRefusedAndNothingChanges) {
  SetUpSomeRows();
  ASSERT_TRUE(plots.SaveLastPlotSetup(dir.Path().string()));
  const std::string path = dir / Plotting::kLastPlotSetup;
  Write(path, GetParam().spoil(Read(path)));
  tab.BTClearPlotSetup.UserClick();
  const PlotSetupRows before = plots.RowSetups();

  prompter.files.push_back(path);
  tab.BTLoadPlotSetup.UserClick();
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, GetParam().caption);
  EXPECT_EQ(plots.RowSetups(), before);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

const char kInvalid[] = "Invalid Record in *.PLT File - The PLT File was NOT Loaded";

const BadFile kBadFiles[] = {
    {"NoHeader", [](const std::string& t) { return t.substr(t.find('\n') + 1); }, kInvalid},
    {"Empty", [](const std::string&) { return std::string(); }, kInvalid},
    {"EndsEarly", [](const std::string& t) { return t.substr(0, t.find("\n40 ")); }, kInvalid},
    {"LinesOutOfOrder", [](const std::string& t) { return Replace(t, "\n12 1 3\n", "\n13 1 3\n"); },
     "Bad Line Number in *.PLT File - The PLT File was Not Loaded"},
    {"TextForANumber", [](const std::string& t) { return Replace(t, "\n12 1 3\n", "\n12 1 three\n"); },
     kInvalid},
    {"ANumberTooLarge",
     [](const std::string& t) { return Replace(t, "\n12 1 3\n", "\n12 1 99999999999999999999\n"); },
     kInvalid},
    {"WrongCount", [](const std::string& t) { return Replace(t, "\n12 1 3\n", "\n12 2 3 4\n"); }, kInvalid},
    {"ATextLineWithACount", [](const std::string& t) { return Replace(t, "\n13 0 ", "\n13 1 "); }, kInvalid},
    {"ALineTooLong",
     [](const std::string& t) { return Replace(t, "\n16 0 ", "\n16 0 " + std::string(600, 'u')); },
     kInvalid},
    {"FarTooLarge", [](const std::string& t) { return t + std::string(70000, '\n'); }, kInvalid},
};

INSTANTIATE_TEST_SUITE_P(Files, BadPlotFileTest, ::testing::ValuesIn(kBadFiles),
                         testing::NameOfCase());

}  // namespace
}  // namespace qv
