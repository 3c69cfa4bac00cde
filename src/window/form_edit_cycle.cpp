// The one place every change of the document goes through: the edit cycle (serialise, parse,
// refresh), the guard that turns the program's errors into one message, the rollback of a failed
// command and the undo history.
#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QToolButton>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "fileio/file_place.h"
#include "widgets/kv_string_grid.h"
#include "window/pending_messages.h"
#include "window/qarn_form.h"
#include "window/status_line.h"

namespace qarn {

namespace {

// Whether the document still serialises to these bytes; a document that cannot be serialised
// any more has certainly changed.
bool SerializesTo(const tHeader& doc, const std::vector<uint8_t>& bytes) {
  try {
    return SerializeToBytes(doc) == bytes;
  } catch (const QarnError&) {
    return false;
  }
}

// "Undo Move points (Ctrl+Z)": the button names the step it would take back or do again.
QString StepTip(const QString& action, const QString& step, const char* keys) {
  const QString named = step.isEmpty() ? action : action + QLatin1Char(' ') + step;
  return QStringLiteral("%1 (%2)").arg(named, QLatin1String(keys));
}

}  // namespace

void TQarnForm::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ReportError(QString::fromUtf8(error.what()));
  }
}

void TQarnForm::ReportError(const QString& message) {
  messages_->Report(message);
}

void TQarnForm::RunCommand(const QString& name, const std::function<void()>& command,
                           int mergeKey) {
  if (commandDepth_ > 0) {  // part of a larger command: that one is the undo step
    command();
    return;
  }
  const QScopedValueRollback depth(commandDepth_, commandDepth_ + 1);
  const DocumentState before = CurrentState();
  const int cyclesBefore = editCycles_;
  try {
    command();
  } catch (...) {
    RollBack(before, editCycles_ != cyclesBefore);
    throw;
  }
  undoStack_.push(name, before, CurrentState(), mergeKey);
}

void TQarnForm::RollBack(const DocumentState& before, bool refreshed) {
  // A command refused before it changed anything leaves the lists as they are: refilling them
  // would, for one, drop the empty row the object list shows before the first load.
  if (!refreshed && SelectedRow() == before.selectedRow && SerializesTo(document_, before.bytes)) {
    return;
  }
  RestoreDocument(before);
  // Fields are left as the user had them unless the command had already refreshed them.
  if (refreshed && before.selectedRow >= 1 &&
      before.selectedRow <= static_cast<int>(document_.objectCount)) {
    RefreshObject(before.selectedRow);
  }
}

void TQarnForm::RestoreDocument(const DocumentState& state) {
  buffer_->SetImage(state.bytes);
  ParseBuffer(*buffer_, document_);
  RefillObjectList();
  SelectRowSilently(state.selectedRow);
}

void TQarnForm::RestoreState(const DocumentState& state) {
  Guard([&] {
    // After a typed rename is taken back, the type box shows the name the object has again.
    const bool boxShowsName = TypeBoxShowsName();
    RestoreDocument(state);
    if (state.selectedRow >= 1 && state.selectedRow <= static_cast<int>(document_.objectCount)) {
      RefreshObject(state.selectedRow);
    } else {
      DrawAllPoints();
    }
    if (boxShowsName) ShowNameInTypeBox();
  });
}

void TQarnForm::SerializeAndParse() {
  SerializeDocument(document_, *buffer_);
  ParseBuffer(*buffer_, document_);
  RefillObjectList();
  ++editCycles_;
}

void TQarnForm::EditCycle() {
  SerializeAndParse();
  RefreshObject(SelectedRow());
}

DocumentState TQarnForm::CurrentState() const {
  return DocumentState{SerializeToBytes(document_), SelectedRow()};
}

QString TQarnForm::DocumentName() const {
  return documentPath_.isEmpty() ? QStringLiteral("untitled") : QFileInfo(documentPath_).fileName();
}

std::string TQarnForm::PlaceInDocument(int object) const {
  std::string place = documentPath_.isEmpty() ? std::string() : FilePlace(documentPath_);
  if (object == 0) return place;
  return (place.empty() ? "" : place + ": ") + "object " + std::to_string(object);
}

void TQarnForm::UpdateStatus() {
  std::optional<QPointF> world;
  if (pointerPixel_) {
    world = QPointF(transform_.MapToWorldX(static_cast<float>(pointerPixel_->x())),
                    transform_.MapToWorldZ(static_cast<float>(pointerPixel_->y())));
  }
  StatusLabel->Show(DocumentName(), IsModified(), world, mapHint_);
  StatusLabel->setToolTip(QDir::toNativeSeparators(documentPath_));
}

void TQarnForm::UpdateUndoButtons() {
  UndoButton->setEnabled(undoStack_.canUndo());
  RedoButton->setEnabled(undoStack_.canRedo());
  UndoButton->setToolTip(StepTip(QStringLiteral("Undo"), undoStack_.undoText(), "Ctrl+Z"));
  RedoButton->setToolTip(StepTip(QStringLiteral("Redo"), undoStack_.redoText(), "Ctrl+Shift+Z"));
  UpdateStatus();
}

}  // namespace qarn
