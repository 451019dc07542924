// The command line and the file dialog filters.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "ui/Look.h"
#include "ui/Options.h"
#include "ui/QtPrompter.h"

namespace qv::ui {
namespace {

TEST(QtFileFilter, TurnsPipeSeparatedPairsIntoQtFilters) {
  const std::pair<const char*, const char*> cases[] = {
      {"Raw Files|*.raw|All Files|*.*", "Raw Files (*.raw);;All Files (*.*)"},
      {"Setup Files (*.lst)|*.lst", "Setup Files (*.lst)"},
      {"Text|*.txt;*.log", "Text (*.txt *.log)"},
      {"", ""},
      {"Odd one out|*.a|Dangling", "Odd one out (*.a)"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(QtFileFilter(in).toStdString(), out) << in;
}

TEST(ExpandTabs, PadsToTheGivenColumnsThenToEveryEighth) {
  const std::vector<int> columns = {26, 31};
  const std::pair<const char*, const char*> cases[] = {
      {"Unit 1: 0 \t0 \t0", "Unit 1: 0                 0    0"},
      // A count that runs past a column goes on to the next one.
      {"Unit 1: 123456789012345678 \t1 \t2", "Unit 1: 123456789012345678     1        2"},
      {"a\tb\tc\td", "a                         b    c        d"},
      {"no tabs", "no tabs"},
      {"x\n\ty", "x\n                          y"},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(ExpandTabs(in, columns).toStdString(), out) << in;
  EXPECT_EQ(ExpandTabs("ab\tc", {}).toStdString(), "ab      c");
}

TEST(ParseOptions, AcceptsItsOptionsAndRejectsAnythingElseWithAReason) {
  Options o = ParseOptions({"--port", "COM1=/dev/pts/3", "--port=com12=/dev/ttyUSB0",
                            "--screenshot", "/tmp/a.png", "--quit-after", "2.5"});
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.portOverrides, (std::vector<std::string>{"COM1=/dev/pts/3", "com12=/dev/ttyUSB0"}));
  EXPECT_EQ(o.screenshot, "/tmp/a.png");
  EXPECT_DOUBLE_EQ(o.quitAfterSeconds, 2.5);
  EXPECT_TRUE(ParseOptions({"--help"}).help);

  const std::vector<std::vector<std::string>> bad = {
      {"--port"},          {"--port", "COM13=/dev/x"}, {"--port", "COM1="},
      {"--port", "LPT1=/dev/x"}, {"--quit-after", "0"}, {"--quit-after", "soon"},
      {"--screenshot"},    {"--frobnicate"},           {"-x"},
      {"stray"},           {"--config"},               {"--config="},
  };
  for (const auto& args : bad) EXPECT_NE(ParseOptions(args).error, "") << args[0];
}

TEST(HostConfigPath, TheFileGivenOrLastQvhInTheUsersConfigurationFolder) {
  EXPECT_EQ(HostConfigPath(ParseOptions({"--config", "/tmp/ship.qvh"})), "/tmp/ship.qvh");
  EXPECT_EQ(HostConfigPath(ParseOptions({"--config=ship.qvh"})), "ship.qvh");

  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
  const QString oldName = QCoreApplication::applicationName();
  qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
  QCoreApplication::setApplicationName("qvhost");
  const std::string path = HostConfigPath(ParseOptions({}));
  QCoreApplication::setApplicationName(oldName);
  qputenv("XDG_CONFIG_HOME", oldConfigHome);
  EXPECT_EQ(path, (home.path() + "/qvhost/last.qvh").toStdString());
  EXPECT_TRUE(QDir(home.path() + "/qvhost").exists()) << "the folder is made when missing";
}

}  // namespace
}  // namespace qv::ui
