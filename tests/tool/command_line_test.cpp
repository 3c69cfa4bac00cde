#include "assets/app_identity.h"
#include "tool_test_support.h"

namespace qarn::test {
namespace {

TEST(ToolCommandLineTest, HelpListsEveryCommand) {
  const ToolRun run = Invoke({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.err.isEmpty());
  for (const char* name : {"info", "check", "dump", "build", "merge", "render"}) {
    EXPECT_TRUE(run.out.contains(QStringLiteral("\n  %1 ").arg(name))) << name;
  }
}

TEST(ToolCommandLineTest, VersionNamesTheProgramAndItsLicence) {
  const ToolRun run = Invoke({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.err.isEmpty());
  EXPECT_TRUE(run.out.startsWith(QStringLiteral("qarn-tool %1\n").arg(identity::kVersion)));
  EXPECT_TRUE(run.out.contains(QLatin1String(identity::kCopyright)));
  EXPECT_TRUE(run.out.contains("License GPL-3.0-or-later"));
}

TEST(ToolCommandLineTest, NoCommandIsAUsageError) {
  const ToolRun run = Invoke({});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(run.err, "qarn-tool: missing command\nTry 'qarn-tool --help'.\n");
}

TEST(ToolCommandLineTest, UnknownCommandIsAUsageError) {
  const ToolRun run = Invoke({"explode", "x"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.err.startsWith("qarn-tool: unknown command 'explode'\n"));
}

class SubCommandLineTest : public ::testing::TestWithParam<const char*> {};

TEST_P(SubCommandLineTest, HelpShowsTheUsageAndSucceeds) {
  for (const QStringList& args : {QStringList{GetParam(), "--help"}, QStringList{GetParam(), "-h"},
                                  QStringList{"help", GetParam()}}) {
    const ToolRun run = Invoke(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: qarn-tool %1").arg(GetParam())));
    EXPECT_TRUE(run.out.contains("--help"));
    EXPECT_TRUE(run.err.isEmpty());
  }
}

TEST_P(SubCommandLineTest, HelpWinsOverAWrongNumberOfArguments) {
  const ToolRun run = Invoke({GetParam(), "1", "2", "3", "4", "--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.startsWith("Usage:"));
}

TEST_P(SubCommandLineTest, MissingArgumentsAreAUsageErrorWithAHint) {
  const ToolRun run = Invoke({GetParam()});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(
      run.err.startsWith(QStringLiteral("qarn-tool %1: missing arguments").arg(GetParam())));
  EXPECT_TRUE(run.err.endsWith(QStringLiteral("Try 'qarn-tool %1 --help'.\n").arg(GetParam())));
}

TEST_P(SubCommandLineTest, UnknownOptionIsAUsageError) {
  const ToolRun run = Invoke({GetParam(), "--colour", "a", "b", "c"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.err.contains("colour")) << run.err.toStdString();
}

TEST_P(SubCommandLineTest, TooManyArgumentsAreAUsageError) {
  const ToolRun run = Invoke({GetParam(), "1", "2", "3", "4"});
  if (QString(GetParam()) == "check") {
    EXPECT_EQ(run.status, 1);  // any number of files; these four do not exist
    return;
  }
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.err.contains("unexpected argument")) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Commands, SubCommandLineTest,
                         ::testing::Values("info", "check", "dump", "build", "merge", "render"));

}  // namespace
}  // namespace qarn::test
