// The command line: a file to open, the user's own map, help and version.
#include "window/startup.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "assets/app_identity.h"
#include "document/path_set_codec.h"
#include "form_driver.h"
#include "window/program_identity.h"

namespace qarn::testing {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  std::unique_ptr<TQarnForm> Start(const QStringList& arguments) {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    reported = dialogs.get();
    return CreateEditor(ParseCommandLine(QStringList{QStringLiteral("qarn")} + arguments),
                        std::move(dialogs));
  }
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  void ShowAndWait(TQarnForm& form) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reported->errors.isEmpty(); }));
  }
  QTemporaryDir dir;
  ScriptedDialogs* reported = nullptr;
};

TEST_F(StartupTest, OpensTheFileGiven) {
  const std::vector<uint8_t> bytes =
      SerializeToBytes(MakeDocument({MakeObject("a", {P(1, 2, 3)}), MakeObject("b", {})}));
  const QString path =
      Write("start.pathset", QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<qsizetype>(bytes.size())));
  auto form = Start({path});
  EXPECT_EQ(form->Document().objectCount, 2u);
  EXPECT_EQ(form->DocumentName(), QStringLiteral("start.pathset"));
  EXPECT_TRUE(reported->errors.isEmpty());
}

TEST_F(StartupTest, BadOrMissingFileShowsItsMessageOnceTheWindowIsOnTheScreen) {
  for (const QString& path :
       {Write("bad.pathset", QByteArray("xyz")), dir.filePath("gone.pathset")}) {
    auto form = Start({path});
    EXPECT_EQ(form->Document().objectCount, 0u);
    EXPECT_TRUE(reported->errors.isEmpty()) << "no message over a window not yet drawn";
    ShowAndWait(*form);
    ASSERT_EQ(reported->errors.size(), 1);
    EXPECT_TRUE(reported->errors[0].contains(QFileInfo(path).fileName()));
  }
}

TEST_F(StartupTest, UsesTheUsersMapOfTheRightSize) {
  QImage map(1280, 1600, QImage::Format_RGB32);
  map.fill(QColor(10, 200, 30));
  const QString path = dir.filePath("mine.png");
  ASSERT_TRUE(map.save(path));
  auto form = Start({QStringLiteral("--map"), path});
  EXPECT_TRUE(reported->errors.isEmpty());
  EXPECT_EQ(form->MapImage().pixelColor(5, 5), QColor(10, 200, 30));
}

TEST_F(StartupTest, RefusesAMapTooLargeAndUsesTheBuiltInOne) {
  QImage map(8193, 4, QImage::Format_RGB32);
  map.fill(Qt::white);
  const QString path = dir.filePath("small.png");
  ASSERT_TRUE(map.save(path));
  auto form = Start({QStringLiteral("--map"), path});
  ShowAndWait(*form);
  ASSERT_EQ(reported->errors.size(), 1);
  EXPECT_TRUE(reported->errors[0].contains(QStringLiteral("small.png")));
  EXPECT_EQ(form->MapImage(), MapPicture::BuiltInMap());
}

TEST(CommandLineTest, HelpVersionAndMistakes) {
  EXPECT_TRUE(ParseCommandLine({"qarn", "--help"}).showHelp);
  EXPECT_TRUE(ParseCommandLine({"qarn", "--version"}).showVersion);
  EXPECT_FALSE(ParseCommandLine({"qarn", "--bogus"}).error.isEmpty());
  EXPECT_FALSE(ParseCommandLine({"qarn", "a.pathset", "b.pathset"}).error.isEmpty());
  EXPECT_TRUE(HelpText().contains(QStringLiteral("--map")));
}

// --help and --version are answered before the window exists; anything else starts the editor,
// and a mistake is reported once the application has taken its own options out.
TEST(CommandLineTest, AnswersOnTheTerminalNameTheProgram) {
  EXPECT_TRUE(HelpText().startsWith(QStringLiteral("Usage: qarn [options] [FILE]\n")));
  EXPECT_EQ(TerminalAnswer({"/opt/x/bin/qarn", "--help"}), HelpText());
  const std::optional<QString> version = TerminalAnswer({"./qarn", "-v"});
  ASSERT_TRUE(version);
  EXPECT_TRUE(version->startsWith(QStringLiteral("qarn %1\n").arg(identity::kVersion)));
  EXPECT_TRUE(version->contains(QLatin1String(identity::kLicence)));
  for (const QStringList& starts :
       {QStringList{"qarn"}, {"qarn", "a.pathset"}, {"qarn", "--help", "--bogus"}}) {
    EXPECT_FALSE(TerminalAnswer(starts)) << starts.join(' ').toStdString();
  }
}

// The window icon at the sizes drawn for it, and the desktop entry's name as the app id.
TEST(CommandLineTest, IdentityGivesTheWindowIconAndTheDesktopEntry) {
  const QString testName = QCoreApplication::applicationName();
  ApplyProgramIdentity();
  const QList<QSize> sizes = QGuiApplication::windowIcon().availableSizes();
  QCoreApplication::setApplicationName(testName);
  for (const int side : {16, 32, 48, 256}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
  EXPECT_EQ(QGuiApplication::desktopFileName(), QLatin1String(identity::kAppId));
}

TEST(CommandLineTest, AboutTextNamesVersionCopyrightAndLicence) {
  const QString about = AboutText();
  for (const char* part : {identity::kVersion, identity::kCopyright, identity::kLicence}) {
    EXPECT_TRUE(about.contains(QLatin1String(part))) << part;
  }
}

}  // namespace
}  // namespace qarn::testing
