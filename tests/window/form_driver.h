#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <array>
#include <deque>
#include <memory>
#include <numbers>
#include <vector>

#include "document/path_set_records.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/form_dialogs.h"
#include "window/qarn_form.h"

namespace qarn::testing {

// Degrees as radians, exact enough to check the fields' rounding.
inline long double Radians(long double degrees) {
  return degrees / 180 * std::numbers::pi_v<long double>;
}

// Dialogs that answer from queues instead of asking anyone; errors are collected.
class ScriptedDialogs : public FormDialogs {
 public:
  std::deque<std::optional<QString>> openAnswers;
  std::deque<std::optional<QString>> saveAnswers;
  std::deque<SaveAnswer> saveChangesAnswers;
  std::deque<RecoverAnswer> recoverAnswers;
  std::deque<bool> revertAnswers;
  // "/maps/demo.pathset" for each question asked, " (changed on disk)" after it when it did
  QStringList recoverQuestions;
  std::deque<ChangedAnswer> overwriteAnswers;
  bool reloadAnswer = false;
  QStringList changedQuestions;  // "overwrite demo.pathset", "reload ..." or "told ..."
  QStringList errors;
  QStringList proposedOpenNames;
  QStringList openTitles;
  QStringList proposedSaveNames;
  QStringList askedAbout;

  std::optional<QString> OpenFileName(QWidget*, const QString& title,
                                      const QString& proposed) override;
  std::optional<QString> SaveFileName(QWidget*, const QString& proposed) override;
  void ShowError(QWidget*, const QString& message) override { errors << message; }
  SaveAnswer AskSaveChanges(QWidget*, const QString& name) override;
  bool AskRevert(QWidget*, const QString&) override;
  RecoverAnswer AskRecover(QWidget*, const QString& name, const QDateTime&,
                           bool changedOnDisk) override;
  ChangedAnswer AskOverwriteChanged(QWidget*, const QString& name) override;
  bool AskReloadChanged(QWidget*, const QString& name) override {
    changedQuestions << "reload " + name;
    return reloadAnswer;
  }
  void TellChangedWhileModified(QWidget*, const QString& name) override {
    changedQuestions << "told " + name;
  }
};

// A shown form with scripted dialogs and helpers to drive it as a user does.
class FormDriver {
 public:
  FormDriver();
  ~FormDriver();

  TQarnForm& form() { return *form_; }
  ScriptedDialogs& dialogs() { return *dialogs_; }
  const tHeader& doc() const { return form_->Document(); }
  QString TempPath(const QString& name) const { return dir_.filePath(name); }

  // Writes a document to a file in the temporary folder and returns its path.
  QString WriteFile(const QString& name, const tHeader& doc) const;
  QString WriteBytes(const QString& name, const std::vector<uint8_t>& bytes) const;
  std::vector<uint8_t> ReadBytes(const QString& path) const;

  void Load(const QString& path);   // through the Load button and the open dialog
  void Merge(const QString& path);  // through the Merge button
  void Save(const QString& path);   // through the Save button

  void Click(const QString& buttonName);
  void ClickRow(const QString& gridName, int row);
  void ClickBox(int n);  // check box cN
  void Type(const QString& fieldName, const QString& text);
  void ChooseType(const QString& text);   // DTyp: as if chosen from the list
  void ChooseFlags(const QString& text);  // HexTyp
  void PasteType(const QString& text);    // DTyp: the whole text at once, as a paste gives it

  tKvStringGrid* Grid(const QString& name);
  TFloatEdit* Float(const QString& name);
  TIntegerEdit* Integer(const QString& name);
  QLineEdit* Line(const QString& name);
  QCheckBox* Box(int n);
  QString FieldText(const QString& name);
  std::vector<uint8_t> DocumentBytes() const;
  // The cells of one column of a list, data rows only (row 1 up).
  QStringList Column(const QString& gridName, int col);
  int UndoSteps() { return form_->UndoStack().count(); }
  // The title as the window manager shows it: "QarnForm - demo.pathset*".
  QString ShownTitle() const;
  // The menu bar above the designed client area.
  int MenuBarHeight();

 private:
  QTemporaryDir dir_;
  ScriptedDialogs* dialogs_;
  std::unique_ptr<TQarnForm> form_;
};

// Small documents for the tests.
tDesc MakeObject(const std::string& name, std::initializer_list<tPoint> points);
tHeader MakeDocument(std::initializer_list<tDesc> objects);
// An object of `count` points, point k at first + (k - 1) * step, all with first's flags.
tDesc MakeLine(const std::string& name, int count, tPoint first, tPoint step);
tPoint P(float x, float y, float z, uint32_t flags = 0);
// A point's position, for comparing with EXPECT_EQ.
std::array<float, 3> Xyz(const tPoint& p);

// What a float field gives back after the program has written `value` into it: the text shows 10
// significant digits, and a value shown in exponent form reads back unchanged.
long double FieldRoundTrip(long double value);

}  // namespace qarn::testing
