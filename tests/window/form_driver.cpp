#include "form_driver.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "document/path_set_codec.h"

namespace qarn::testing {

std::optional<QString> ScriptedDialogs::OpenFileName(QWidget*, const QString& title,
                                                     const QString& proposed) {
  openTitles << title;
  proposedOpenNames << proposed;
  if (openAnswers.empty()) throw std::logic_error("unexpected open dialog");
  auto answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::optional<QString> ScriptedDialogs::SaveFileName(QWidget*, const QString& proposed) {
  proposedSaveNames << proposed;
  if (saveAnswers.empty()) throw std::logic_error("unexpected save dialog");
  auto answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

FormDialogs::SaveAnswer ScriptedDialogs::AskSaveChanges(QWidget*, const QString& name) {
  askedAbout << name;
  if (saveChangesAnswers.empty()) throw std::logic_error("unexpected save-changes question");
  const SaveAnswer answer = saveChangesAnswers.front();
  saveChangesAnswers.pop_front();
  return answer;
}

FormDialogs::RecoverAnswer ScriptedDialogs::AskRecover(QWidget*, const QString& name,
                                                       const QDateTime&, bool changedOnDisk) {
  recoverQuestions << name + (changedOnDisk ? " (changed on disk)" : "");
  if (recoverAnswers.empty()) throw std::logic_error("unexpected recovery question");
  const RecoverAnswer answer = recoverAnswers.front();
  recoverAnswers.pop_front();
  return answer;
}

bool ScriptedDialogs::AskRevert(QWidget*, const QString&) {
  if (revertAnswers.empty()) throw std::logic_error("unexpected revert question");
  const bool answer = revertAnswers.front();
  revertAnswers.pop_front();
  return answer;
}

FormDialogs::ChangedAnswer ScriptedDialogs::AskOverwriteChanged(QWidget*, const QString& name) {
  changedQuestions << "overwrite " + name;
  if (overwriteAnswers.empty()) throw std::logic_error("unexpected changed-on-disk question");
  const ChangedAnswer answer = overwriteAnswers.front();
  overwriteAnswers.pop_front();
  return answer;
}

FormDriver::FormDriver() {
  auto dialogs = std::make_unique<ScriptedDialogs>();
  dialogs_ = dialogs.get();
  form_ = std::make_unique<TQarnForm>(std::move(dialogs));
  form_->show();
  form_->activateWindow();
  if (!QTest::qWaitForWindowExposed(form_.get())) throw std::runtime_error("form not exposed");
}

FormDriver::~FormDriver() {
  form_->UndoStack().setClean();  // no close question at the end of a test
  form_->close();
}

QString FormDriver::WriteFile(const QString& name, const tHeader& doc) const {
  return WriteBytes(name, SerializeToBytes(doc));
}

QString FormDriver::WriteBytes(const QString& name, const std::vector<uint8_t>& bytes) const {
  const QString path = dir_.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write test file");
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  return path;
}

std::vector<uint8_t> FormDriver::ReadBytes(const QString& path) const {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray data = file.readAll();
  return std::vector<uint8_t>(data.begin(), data.end());
}

QString FormDriver::ShownTitle() const {
  QString title = form_->windowTitle();
  return title.replace(QStringLiteral("[*]"),
                       form_->isWindowModified() ? QStringLiteral("*") : QString());
}

int FormDriver::MenuBarHeight() {
  return form_->findChild<QWidget*>(QStringLiteral("MenuBar"))->height();
}

void FormDriver::Load(const QString& path) {
  dialogs_->openAnswers.push_back(path);
  QTest::mouseClick(form_->findChild<QPushButton*>(QStringLiteral("LoadButton")), Qt::LeftButton);
}

void FormDriver::Merge(const QString& path) {
  dialogs_->openAnswers.push_back(path);
  QTest::mouseClick(form_->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
}

void FormDriver::Save(const QString& path) {
  dialogs_->saveAnswers.push_back(path);
  QTest::mouseClick(form_->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
}

void FormDriver::Click(const QString& buttonName) {
  auto* button = form_->findChild<QAbstractButton*>(buttonName);
  if (!button) throw std::runtime_error("no button " + buttonName.toStdString());
  QTest::mouseClick(button, Qt::LeftButton);
}

tKvStringGrid* FormDriver::Grid(const QString& name) {
  return form_->findChild<tKvStringGrid*>(name);
}

void FormDriver::ClickRow(const QString& gridName, int row) {
  tKvStringGrid* grid = Grid(gridName);
  const QModelIndex index = grid->model()->index(row - 1, 0);
  grid->scrollTo(index);
  const QRect cell = grid->visualRect(index);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

QCheckBox* FormDriver::Box(int n) {
  return form_->findChild<QCheckBox*>(QStringLiteral("c%1").arg(n));
}

void FormDriver::ClickBox(int n) {
  QTest::mouseClick(Box(n), Qt::LeftButton);
}

QLineEdit* FormDriver::Line(const QString& name) {
  return form_->findChild<QLineEdit*>(name);
}
TFloatEdit* FormDriver::Float(const QString& name) {
  return form_->findChild<TFloatEdit*>(name);
}
TIntegerEdit* FormDriver::Integer(const QString& name) {
  return form_->findChild<TIntegerEdit*>(name);
}
QString FormDriver::FieldText(const QString& name) {
  return Line(name)->text();
}

void FormDriver::Type(const QString& fieldName, const QString& text) {
  QLineEdit* field = Line(fieldName);
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClicks(field, text);
}

namespace {

// Opens the list of a combo box and takes the entry with the keyboard, as a user picks one.
void PickFromList(QComboBox* box, const QString& text) {
  const int index = box->findText(text);
  if (index < 0) throw std::runtime_error("no entry " + text.toStdString());
  box->showPopup();
  QAbstractItemView* view = box->view();
  view->setCurrentIndex(view->model()->index(index, box->modelColumn()));
  QTest::keyClick(view, Qt::Key_Return);
}

}  // namespace

void FormDriver::ChooseType(const QString& text) {
  PickFromList(form_->findChild<QComboBox*>(QStringLiteral("DTyp")), text);
}

void FormDriver::ChooseFlags(const QString& text) {
  PickFromList(form_->findChild<QComboBox*>(QStringLiteral("HexTyp")), text);
}

void FormDriver::PasteType(const QString& text) {
  QLineEdit* edit = form_->findChild<QComboBox*>(QStringLiteral("DTyp"))->lineEdit();
  edit->selectAll();
  edit->insert(text);
  QCoreApplication::processEvents();  // the event loop turns before the user's next action
}

QStringList FormDriver::Column(const QString& gridName, int col) {
  tKvStringGrid* grid = Grid(gridName);
  QStringList cells;
  for (int row = 1; row < grid->RowCount(); ++row) cells << grid->GetCellDrawText(col, row);
  return cells;
}

std::vector<uint8_t> FormDriver::DocumentBytes() const {
  return SerializeToBytes(form_->Document());
}

tPoint P(float x, float y, float z, uint32_t flags) {
  return tPoint{flags, x, y, z};
}

tDesc MakeObject(const std::string& name, std::initializer_list<tPoint> points) {
  tDesc object;
  std::copy_n(name.begin(), std::min<size_t>(name.size(), 32), object.name.begin());
  for (const tPoint& p : points) object.Point(static_cast<int>(++object.pointCount)) = p;
  return object;
}

tHeader MakeDocument(std::initializer_list<tDesc> objects) {
  tHeader doc;
  for (const tDesc& object : objects) doc.records.push_back(std::make_unique<tDesc>(object));
  doc.objectCount = static_cast<uint32_t>(doc.records.size());
  doc.lastIndex = doc.objectCount ? doc.objectCount - 1 : 0;
  return doc;
}

tDesc MakeLine(const std::string& name, int count, tPoint first, tPoint step) {
  tDesc object = MakeObject(name, {});
  for (int k = 0; k < count; ++k) {
    object.Point(k + 1) =
        P(first.x + step.x * static_cast<float>(k), first.y + step.y * static_cast<float>(k),
          first.z + step.z * static_cast<float>(k), first.flags);
  }
  object.pointCount = static_cast<uint32_t>(count);
  return object;
}

std::array<float, 3> Xyz(const tPoint& p) {
  return {p.x, p.y, p.z};
}

long double FieldRoundTrip(long double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  char text[64];
  std::snprintf(text, sizeof text, "%.9Le", value);
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  if (exponent < -4 || exponent > 9) return value;  // shown as d,dddE-5 and the like
  return std::strtold(text, nullptr);
}

}  // namespace qarn::testing
