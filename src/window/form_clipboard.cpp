// Copy, cut and paste of whole objects through the system clipboard.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <numeric>

#include "commands/object_list.h"
#include "document/path_set_codec.h"
#include "document/path_set_layout.h"
#include "window/object_clipboard.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

// Pasted objects must leave the path set within the file buffer; said before anything changes,
// with the clipboard named, rather than as the edit cycle's general refusal.
void CheckFits(const tHeader& doc, const tHeader& pasted) {
  const size_t added = SerializedSize(pasted) - layout::kHeaderBytes;
  const size_t total = SerializedSize(doc) + added;
  if (total <= static_cast<size_t>(kMaxDocumentBytes)) return;
  // Plain digits, as in every other size message: "62.112" would read as a fraction.
  const QString objects = pasted.records.size() == 1
                              ? QStringLiteral("the object")
                              : QStringLiteral("the %1 objects").arg(pasted.records.size());
  throw PasteError(QStringLiteral("%1 on the clipboard (%2 bytes) would make the path set %3 bytes "
                                  "long; a path set holds at most %4 bytes.")
                       .arg(objects)
                       .arg(added)
                       .arg(total)
                       .arg(kMaxDocumentBytes));
}

}  // namespace

// Qt hands these keys to a focused line edit before any shortcut; this covers the fields that do
// not take them (read-only ones), so that the keys never act on objects from inside a field.
bool TQarnForm::TextFieldHasFocus() const {
  const QWidget* focus = QApplication::focusWidget();
  if (qobject_cast<const QLineEdit*>(focus)) return true;
  const auto* box = qobject_cast<const QComboBox*>(focus);
  return box && box->isEditable();
}

void TQarnForm::CopyObject() {
  if (TextFieldHasFocus()) return;
  Guard([this] {
    if (!model_->HasCurrentObject()) return;
    tHeader copied;
    for (const int n : model_->Selected().objects) {
      copied.InsertNew(static_cast<int>(copied.records.size()) + 1)
          .Assign(model_->Document().Object(n));
    }
    ObjectClipboard::Put(copied);
  });
}

// The object is copied, then deleted as the Delete button deletes: the only object stays.
void TQarnForm::CutObject() {
  if (TextFieldHasFocus()) return;
  Guard([this] {
    if (!model_->HasCurrentObject()) return;
    CopyObject();
    model_->RunCommand(QStringLiteral("Cut object"), [this] { DeleteSelectedObjects(); });
  });
}

void TQarnForm::PasteObjects() {
  if (TextFieldHasFocus()) return;
  Guard([this] {
    const tHeader pasted = ObjectClipboard::Take();
    CheckFits(model_->Document(), pasted);
    model_->RunCommand(QStringLiteral("Paste"), [&] {
      const int first =
          InsertObjects(model_->EditDocument(), model_->CurrentObjectNumber(), pasted);
      model_->SerializeAndParse();
      std::vector<int> objects(pasted.records.size());
      std::iota(objects.begin(), objects.end(), first);
      model_->SelectObjects(objects, first);
    });
  });
}

}  // namespace qarn
