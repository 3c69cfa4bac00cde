// The window as a view of the document model: what each of the model's signals shows, the title
// and status line, and the guard that turns the program's errors into one message.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QScopedValueRollback>

#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/command_actions.h"
#include "window/mark_preview.h"
#include "window/pending_messages.h"
#include "window/qarn_form.h"
#include "window/status_line.h"

namespace qarn {

void TQarnForm::FollowModel() {
  PathSetDocument* m = model_;
  connect(m, &PathSetDocument::objectsChanged, this, [this] { RefillObjectList(); });
  connect(m, &PathSetDocument::currentObjectChanged, this,
          [this](int object) { ShowCurrentObject(object); });
  connect(m, &PathSetDocument::documentReplaced, this, [this] { ShowReplacedDocument(); });
  connect(m, &PathSetDocument::pathChanged, this, [this] { UpdateTitle(); });
  connect(m, &PathSetDocument::modifiedChanged, this, [this] { UpdateTitle(); });
  connect(m, &PathSetDocument::historyChanged, this, [this] { UpdateStatus(); });
  connect(m, &PathSetDocument::previewChanged, this,
          [this](const PathSetDocument::PreviewObjects& objects) {
            preview_->Show(objects, model_->Document(), model_->Selected());
            ShowMapChanges();
          });
  connect(m, &PathSetDocument::previewEnded, this, [this] {
    if (preview_->End()) ShowMapChanges();
  });
}

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

void TQarnForm::TakeHistoryStep(void (PathSetDocument::*step)()) {
  const bool boxShowsName = TypeBoxShowsName();
  (model_->*step)();
  if (boxShowsName) ShowNameInTypeBox();
}

void TQarnForm::ShowCurrentObject(int object) {
  SelectRowSilently(object);
  // The list marks the other selected rows; it repaints whole only while it shows them.
  const bool several = model_->Selected().objects.size() > 1;
  if (several || showsSeveral_) Names->viewport()->update();
  showsSeveral_ = several;
  if (model_->HasCurrentObject()) {
    RefreshObject(object);
  } else {
    ShowNoObject();
  }
  UpdateStatus();
}

// After a load, a new document or a recovery everything shows the new document, the current
// object's fields included: a command must never act on values of the file before.
void TQarnForm::ShowReplacedDocument() {
  RefillObjectList();
  SelectRowSilently(model_->CurrentObjectNumber());
  if (model_->HasCurrentObject()) {
    RefreshObject(model_->CurrentObjectNumber());
  } else {
    ShowNoObject();
  }
  DrawAllPoints();
}

// The fields, boxes and point list as at start: nothing in them belongs to any object.
void TQarnForm::ShowNoObject() {
  for (TFloatEdit* field :
       {xEdit, yEdit, zEdit, dxEdit, dyEdit, dzEdit, XdxEdit, XdyEdit, XdzEdit, Lenge, XLenge}) {
    field->ShowText(QString());
  }
  Rotation->SetValue(0);
  XRotation->SetValue(0);
  {
    const QScopedValueRollback depth(refreshDepth_, refreshDepth_ + 1);  // no flag edit
    for (QCheckBox* box : checkBoxes_) box->setChecked(false);
  }
  HexEdit->ShowText(QString());
  shownObject_ = tDesc{};
  Ents->SetRowCount(2);
  Ents->RepaintChangedTexts();
}

void TQarnForm::UpdateStatus() {
  std::optional<QPointF> world;
  if (pointerPixel_) {
    world = QPointF(transform_.MapToWorldX(static_cast<float>(pointerPixel_->x())),
                    transform_.MapToWorldZ(static_cast<float>(pointerPixel_->y())));
  }
  const size_t selected = model_->Selected().objects.size();
  const QString hint = mapHint_.isEmpty() && selected > 1
                           ? QStringLiteral("%1 objects selected").arg(selected)
                           : mapHint_;
  StatusLabel->Show(model_->DisplayName(), model_->IsModified(), world, hint);
  StatusLabel->setToolTip(QDir::toNativeSeparators(model_->Path()));
}

// "QarnForm - demo.pathset*": the window's own name first, so every editor is found under it.
void TQarnForm::UpdateTitle() {
  const QString name = model_->Path().isEmpty()
                           ? QStringLiteral("QarnForm[*]")
                           : QStringLiteral("QarnForm - %1[*]").arg(model_->DisplayName());
  setWindowTitle(name);
  setWindowModified(model_->IsModified());
  UpdateStatus();
}

}  // namespace qarn
