// Recovery copies: written while there are unsaved changes, offered after an editor has ended,
// recovered, discarded or kept for later; and the real editor killed and recovered.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <tuple>

#include "document/path_set_codec.h"
#include "fileio/disk_snapshot.h"
#include "fileio/safe_write.h"
#include "form_driver.h"
#include "window/auto_recovery.h"
#include "window/background_writer.h"
#include "window/recovery_offer.h"
#include "window/startup.h"

namespace qarn::testing {
namespace {

using namespace std::chrono_literals;

QByteArray Bytes(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

class RecoveryTest : public ::testing::Test {
 protected:
  QString Folder() const { return folder_.filePath("recovery"); }
  QStringList Copies(const QString& folder) const {
    return QDir(folder).entryList({"*.pathset"}, QDir::Files, QDir::Name);
  }
  QStringList Copies() const { return Copies(Folder()); }
  QByteArray CopyBytes() const {
    const QStringList copies = Copies();
    if (copies.size() != 1) return "copies: " + copies.join(' ').toUtf8();
    QFile file(QDir(Folder()).filePath(copies.first()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // A copy as an editor that has ended leaves it: no editor holds its lock.
  void LeaveCopy(const QString& id, const QByteArray& bytes, const QString& document,
                 QDateTime written = QDateTime::currentDateTime(), const QString& disk = {}) const {
    QDir().mkpath(Folder());
    QFile copy(QDir(Folder()).filePath(id + ".pathset"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    copy.flush();  // before the time is set, which a later write would change
    copy.setFileTime(written, QFileDevice::FileModificationTime);
    QSettings notes(QDir(Folder()).filePath(id + ".ini"), QSettings::IniFormat);
    notes.setValue("document", document);
    notes.setValue("disk", disk);
  }
  AutoRecovery& Attach(std::chrono::milliseconds interval = 1h) {
    recovery = new AutoRecovery(ui.form(), std::make_unique<RecoveryStore>(Folder()), interval,
                                [this](const QString& m) { ui.dialogs().errors << m; });
    return *recovery;
  }
  void Offer() { OfferRecovery(ui.form(), *recovery, ui.dialogs(), true); }
  // The first change writes a copy once the command has finished, on the writer's thread.
  void ChangeAndWaitForTheCopy() {
    ui.ClickRow("Names", 1);
    ui.Click("eButton");
    QCoreApplication::processEvents();
    recovery->WaitForWrites();
  }

  QTemporaryDir folder_;
  FormDriver ui;
  AutoRecovery* recovery = nullptr;
  tHeader two = MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, 0)}),
                              MakeObject("str_lamp_post_s", {P(-100, 2, 50, 0x7317)})});
};

TEST_F(RecoveryTest, ACopyFollowsUnsavedChangesUntilSavedUndoneOrClosed) {
  const QString path = ui.WriteFile("demo.pathset", two);
  ui.Load(path);
  Attach(50ms);
  ui.ClickRow("Names", 1);
  ui.Click("eButton");
  QCoreApplication::processEvents();  // the copy is written once the command has finished
  recovery->WaitForWrites();          // by the writer's thread
  EXPECT_EQ(CopyBytes(), Bytes(ui.DocumentBytes())) << "at once on the first change";
  ui.Click("eButton");
  EXPECT_TRUE(QTest::qWaitFor([&] { return CopyBytes() == Bytes(ui.DocumentBytes()); }, 5000))
      << "and again within the interval";
  ui.Save(path);
  recovery->WaitForWrites();
  EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files).isEmpty()) << "no copy, notes or lock";
  EXPECT_EQ(ui.ReadBytes(path), ui.DocumentBytes()) << "never written over by the copy";
  ui.Click("eButton");
  QCoreApplication::processEvents();
  recovery->WaitForWrites();
  ASSERT_EQ(Copies().size(), 1);
  ui.Click("UndoButton");  // back to what was saved
  recovery->WaitForWrites();
  EXPECT_TRUE(Copies().isEmpty());
  ui.Click("eButton");
  QCoreApplication::processEvents();
  recovery->WaitForWrites();
  ASSERT_EQ(Copies().size(), 1);
  delete recovery;  // the form closing cleanly, its changes saved or discarded
  EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(RecoveryTest, ACopyThatCannotBeWrittenIsReportedOnce) {
  QFile blocker(Folder());  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  Attach(20ms);
  ui.Load(ui.WriteFile("demo.pathset", two));
  ui.ClickRow("Names", 1);
  ui.Click("eButton");
  ui.Click("eButton");
  QTest::qWait(100);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].startsWith("The recovery copy of the unsaved changes cannot"))
      << ui.dialogs().errors[0].toStdString();
  EXPECT_TRUE(ui.form().IsModified());
}

// Newest first: Later keeps a copy for the next start, Discard removes it, Recover opens it as a
// modified document that saves to its original file; copies after that wait for the next start.
TEST_F(RecoveryTest, EachCopyIsOfferedNewestFirstAndAnsweredOneByOne) {
  const QString path = ui.WriteFile("demo.pathset", two);
  tHeader changed = two;
  changed.Object(2).Point(1).x = 77;
  const QDateTime now = QDateTime::currentDateTime();
  LeaveCopy("newest", Bytes(SerializeToBytes(two)), "", now.addSecs(-60));
  LeaveCopy("newer", Bytes(SerializeToBytes(two)), "/maps/newer.pathset", now.addSecs(-600));
  LeaveCopy("older", Bytes(SerializeToBytes(changed)), path, now.addSecs(-6000));
  LeaveCopy("oldest", Bytes(SerializeToBytes(two)), "/maps/oldest.pathset", now.addSecs(-9000));
  Attach();
  using Answer = FormDialogs::RecoverAnswer;
  ui.dialogs().recoverAnswers = {Answer::Later, Answer::Discard, Answer::Recover};
  Offer();
  recovery->WaitForWrites();  // the copy recovered goes once this editor's own copy is written
  EXPECT_EQ(ui.dialogs().recoverQuestions,
            (QStringList{"an unsaved document", "/maps/newer.pathset", path}));
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(changed));
  EXPECT_TRUE(ui.form().IsModified());
  EXPECT_EQ(ui.form().DocumentPath(), path);
  EXPECT_EQ(ui.ReadBytes(path), SerializeToBytes(two)) << "the file is not touched until saved";
  const QStringList left = Copies();
  EXPECT_EQ(left.size(), 3) << left.join(' ').toStdString();  // newest, oldest, this editor's own
  EXPECT_TRUE(left.contains("newest.pathset") && left.contains("oldest.pathset"));
  ui.dialogs().recoverAnswers = {Answer::Later, Answer::Later};
  Offer();  // as at the next start
  EXPECT_EQ(ui.dialogs().recoverQuestions.mid(3),
            (QStringList{"an unsaved document", "/maps/oldest.pathset"}));
}

TEST_F(RecoveryTest, ADamagedCopyIsReportedAndKeptAside) {
  ui.Load(ui.WriteFile("open.pathset", two));
  LeaveCopy("broken", QByteArray("\x05\0\0\0", 4), "/maps/demo.pathset");
  Attach();
  ui.dialogs().recoverAnswers = {FormDialogs::RecoverAnswer::Recover};
  Offer();
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  const QString message = ui.dialogs().errors[0];
  EXPECT_TRUE(message.startsWith("The recovery copy of /maps/demo.pathset from"))
      << message.toStdString();
  const QString aside = QDir(Folder()).filePath("damaged/broken.pathset");
  EXPECT_TRUE(message.contains(aside)) << message.toStdString();
  EXPECT_TRUE(QFileInfo::exists(aside));
  EXPECT_EQ(ui.form().DocumentName(), "open.pathset") << "the open document stays";
  Offer();
  EXPECT_EQ(ui.dialogs().recoverQuestions.size(), 1) << "not offered again";
}

TEST_F(RecoveryTest, TheCopyOfAnEditorStillRunningIsNotTouched) {
  RecoveryStore running(Folder());
  auto image = std::make_unique<FileBuffer>();
  SerializeDocument(two, *image);
  running.Write(*image, "maps/busy.pathset");
  Attach();
  Offer();  // nothing is asked
  EXPECT_TRUE(running.HasOwnCopy());
  const QStringList notes = QDir(Folder()).entryList({"*.ini"});
  ASSERT_EQ(notes.size(), 1);
  EXPECT_EQ(QSettings(QDir(Folder()).filePath(notes[0]), QSettings::IniFormat).value("document"),
            QDir::current().absoluteFilePath("maps/busy.pathset"))
      << "the editor that recovers it may start in another folder";
  running.RemoveOwn();
}

// The folder and its files are the user's alone, whatever the umask and an older folder's
// mode; a link planted under the copy's name is neither followed nor removed: the copy goes
// under a new name, and that is said once.
TEST_F(RecoveryTest, TheFolderIsPrivateAndAPlantedLinkIsRefusedOnce) {
  ASSERT_TRUE(QDir().mkpath(Folder()) &&
              QFile::setPermissions(Folder(), QFileDevice::Permissions(0x7755)));
  const QString victim = ui.WriteFile("victim.pathset", two);
  ui.Load(ui.WriteFile("demo.pathset", two));
  Attach();
  ChangeAndWaitForTheCopy();
  const auto mode = [](const QString& name) { return QFile::permissions(name) & 0x7777; };
  EXPECT_EQ(mode(Folder()), 0x7700);
  for (const QFileInfo& file : QDir(Folder()).entryInfoList(QDir::Files))
    EXPECT_EQ(mode(file.filePath()), 0x6600);
  const QString own = QDir(Folder()).filePath(Copies().value(0));
  ASSERT_TRUE(QFile::remove(own) && QFile::link(victim, own));
  for (int i = 0; i < 2; ++i) {
    ui.Click("eButton");
    recovery->WriteNow();
    recovery->WaitForWrites();
  }
  EXPECT_EQ(ui.ReadBytes(victim), SerializeToBytes(two));
  EXPECT_TRUE(QFileInfo(own).isSymLink());
  EXPECT_EQ(Copies().size(), 2) << "the link and the new copy";
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].contains("is a symbolic link or not a plain file"));
}

// Notes are trusted only as this program writes them: an absolute, normalised path. A copy
// whose file changed since it was made says so, and saving it asks first.
TEST_F(RecoveryTest, NotesNameTheFileInFullAndWhatItWasThen) {
  const QString path = ui.WriteFile("demo.pathset", two);
  const QString then = DiskSnapshot::Take(path)->ToText();
  ui.WriteFile("demo.pathset", MakeDocument({MakeObject("other", {})}));
  const QByteArray bytes = Bytes(SerializeToBytes(two));
  const QStringList noted{"maps/doc.pathset", "/maps/../doc.pathset", "/maps//doc.pathset", path};
  for (int i = 0; i < noted.size(); ++i)
    LeaveCopy(QString::number(i), bytes, noted[i], QDateTime::currentDateTime().addSecs(-i), then);
  Attach();
  ui.dialogs().recoverAnswers.assign(3, FormDialogs::RecoverAnswer::Later);
  ui.dialogs().recoverAnswers.push_back(FormDialogs::RecoverAnswer::Recover);
  Offer();
  EXPECT_EQ(ui.dialogs().recoverQuestions,
            (QStringList{"an unsaved document", "an unsaved document", "an unsaved document",
                         path + " (changed on disk)"}));
  ui.dialogs().overwriteAnswers = {FormDialogs::ChangedAnswer::Cancel};
  ui.Grid("Names")->setFocus();
  QTest::keyClick(ui.Grid("Names"), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(ui.dialogs().changedQuestions.contains("overwrite demo.pathset"));
}

// Damaged copies are kept at most 30 days and 64 MiB in all, the oldest going first.
TEST_F(RecoveryTest, DamagedCopiesAreKeptAMonthAnd64MiBAtMost) {
  const QDir damaged(QDir(Folder()).filePath("damaged"));
  ASSERT_TRUE(QDir().mkpath(damaged.path()));
  const std::tuple<const char*, int, qint64> kept[] = {
      {"month", 31, 0}, {"big", 3, 40}, {"bigger", 2, 30}, {"recent", 1, 20}};  // days, MiB
  for (const auto& [name, days, mib] : kept) {
    QFile file(damaged.filePath(QString(name) + ".pathset"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize((mib << 20) + 10));
    file.setFileTime(QDateTime::currentDateTime().addDays(-days).addSecs(-60),
                     QFileDevice::FileModificationTime);
  }
  LeaveCopy("broken", QByteArray("\x05\0\0\0", 4), "/maps/demo.pathset");
  Attach();
  ui.dialogs().recoverAnswers = {FormDialogs::RecoverAnswer::Recover};
  Offer();
  EXPECT_EQ(damaged.entryList(QDir::Files, QDir::Name),
            (QStringList{"bigger.pathset", "broken.ini", "broken.pathset", "recent.pathset"}));
}

// Holds every write of a copy until released; records the bytes in the order they land.
class HeldSteps : public SaveFileSteps {
 public:
  bool Write(QSaveFile& file, QByteArrayView bytes, QString& reason) override {
    std::unique_lock lock(mutex);
    started = true;
    released.wait(lock, [this] { return open; });
    landed.emplace_back(bytes.data(), bytes.size());
    return SaveFileSteps::Write(file, bytes, reason);
  }
  std::mutex mutex;
  std::condition_variable released;
  bool started = false, open = false;
  std::vector<QByteArray> landed;
};

// The disk may take its time: the editor goes on answering, and the copies land in the order of
// the changes, the last holding the document as it is.
TEST_F(RecoveryTest, WhileACopyIsBeingWrittenTheEditorAnswersAndCopiesLandInOrder) {
  ui.Load(ui.WriteFile("demo.pathset", two));
  Attach();
  HeldSteps held;
  const ScopedSaveFileSteps scope(held);
  ui.ClickRow("Names", 1);
  ui.Click("eButton");
  const auto started = [&] {
    const std::lock_guard lock(held.mutex);
    return held.started;
  };
  ASSERT_TRUE(QTest::qWaitFor(started, 5000));
  std::vector<QByteArray> states{Bytes(ui.DocumentBytes())};
  for (int i = 0; i < 3; ++i) {
    ui.Click("eButton");  // answered while the first copy is held on the disk
    states.push_back(Bytes(ui.DocumentBytes()));
    recovery->WriteNow();
  }
  EXPECT_EQ(ui.UndoSteps(), 4);
  {
    const std::lock_guard lock(held.mutex);
    held.open = true;
  }
  held.released.notify_all();
  recovery->WaitForWrites();
  auto at = states.begin();
  for (const QByteArray& copy : held.landed) {
    at = std::find(at, states.end(), copy);
    ASSERT_NE(at, states.end()) << "a copy out of order or of no state";
  }
  EXPECT_EQ(held.landed.back(), states.back());
}

// The real editor, killed while it holds unsaved changes, leaves a copy that the next start
// recovers byte for byte. The first editor gets its changes by recovering a copy left for it,
// without asking, as no one can answer a question in a child process.
TEST_F(RecoveryTest, TheRealEditorKilledIsRecoveredAtTheNextStart) {
  const QString demo = ui.WriteFile("demo.pathset", two);
  tHeader changed = two;
  changed.Object(1).Point(2).z = -12.5f;
  const QByteArray changes = Bytes(SerializeToBytes(changed));
  QTemporaryDir data, config;
  const QString folder = QDir(data.path()).filePath("qarn/recovery");  // where qarn keeps them
  QDir().mkpath(folder);
  {
    QSettings notes(QDir(folder).filePath("left.ini"), QSettings::IniFormat);
    notes.setValue("document", demo);
    QFile copy(QDir(folder).filePath("left.pathset"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(changes);
  }
  QProcess editor;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_DATA_HOME", data.path());
  env.insert("XDG_CONFIG_HOME", config.path());
  editor.setProcessEnvironment(env);
  editor.start(QARN_PATH, {"--recover", "--recovery-interval", "1", demo});
  ASSERT_TRUE(editor.waitForStarted(10000)) << editor.errorString().toStdString();
  const auto ownCopyWritten = [&] {
    const QStringList copies = Copies(folder);
    return copies.size() == 1 && copies[0] != "left.pathset";
  };
  ASSERT_TRUE(QTest::qWaitFor(ownCopyWritten, 20000)) << Copies(folder).join(' ').toStdString();
  editor.kill();  // SIGKILL: nothing is cleaned up
  ASSERT_TRUE(editor.waitForFinished(10000));
  ASSERT_EQ(Copies(folder).size(), 1);

  auto dialogs = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs& answers = *dialogs;
  answers.recoverAnswers = {FormDialogs::RecoverAnswer::Recover};
  const auto form = CreateEditor(ParseCommandLine({"qarn", demo}), std::move(dialogs), folder);
  form->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !answers.recoverQuestions.isEmpty(); }, 5000));
  EXPECT_EQ(answers.recoverQuestions, QStringList{demo});
  EXPECT_EQ(Bytes(SerializeToBytes(form->Document())), changes);
  EXPECT_TRUE(form->IsModified());
  form->activateWindow();
  auto* names = form->findChild<tKvStringGrid*>("Names");
  names->setFocus();
  QTest::keyClick(names, Qt::Key_S, Qt::ControlModifier);  // saves to demo.pathset, no dialog
  EXPECT_TRUE(answers.errors.isEmpty()) << answers.errors.join('\n').toStdString();
  EXPECT_EQ(ui.ReadBytes(demo), std::vector<uint8_t>(changes.begin(), changes.end()));
  BackgroundWriter::WaitForEveryWriter();  // copies are written and removed by a worker thread
  QCoreApplication::processEvents();
  EXPECT_TRUE(Copies(folder).isEmpty());
}

struct IntervalCase {
  QStringList arguments;
  int seconds;  // 0: refused
};

class RecoveryIntervalTest : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(RecoveryIntervalTest, IsWholeSecondsFromOneToADay) {
  const StartOptions options = ParseCommandLine(QStringList{"qarn"} + GetParam().arguments);
  if (GetParam().seconds == 0) {
    EXPECT_TRUE(options.error.contains("--recovery-interval")) << options.error.toStdString();
  } else {
    EXPECT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    EXPECT_EQ(options.recoveryInterval, std::chrono::seconds(GetParam().seconds));
  }
}

INSTANTIATE_TEST_SUITE_P(Options, RecoveryIntervalTest,
                         ::testing::Values(IntervalCase{{}, 60},
                                           IntervalCase{{"--recovery-interval", "5"}, 5},
                                           IntervalCase{{"--recovery-interval=86400"}, 86400},
                                           IntervalCase{{"--recovery-interval", "0"}, 0},
                                           IntervalCase{{"--recovery-interval", "86401"}, 0},
                                           IntervalCase{{"--recovery-interval", "1.5"}, 0},
                                           IntervalCase{{"--recovery-interval", "soon"}, 0}));

TEST(RecoveryOptionTest, RecoverWithoutAskingAndTheHelpSayHow) {
  EXPECT_FALSE(ParseCommandLine({"qarn"}).recoverWithoutAsking);
  EXPECT_TRUE(ParseCommandLine({"qarn", "--recover"}).recoverWithoutAsking);
  EXPECT_TRUE(HelpText().contains("--recovery-interval <SECONDS>"));
  EXPECT_TRUE(HelpText().contains("--recover "));
}

}  // namespace
}  // namespace qarn::testing
