// The object's type name, the three layout presets and the flag word of its points.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <memory>
#include <optional>

#include "assets/object_types.h"
#include "commands/type_and_flags.h"
#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

// One byte per character (code point), so an emoji takes one position like any letter; a
// character beyond Latin-1 has no byte of its own and becomes '?'.
std::string Latin1Characters(const QString& text) {
  std::string bytes;
  for (const uint c : text.toUcs4()) bytes += c <= 0xFF ? static_cast<char>(c) : '?';
  return bytes;
}

}  // namespace

void TQarnForm::DTypChange(const QString& text, int typingRun) {
  model_->RunCommand(
      QStringLiteral("Set type"),
      [&] {
        const std::string name = Latin1Characters(text);
        model_->ChangeSelected([&](tDesc& object) { SetObjectName(object, name); });
        model_->EditCycle();
      },
      typingRun);
}

bool TQarnForm::TypeBoxShowsName() const {
  return model_->HasCurrentObject() &&
         DTyp->currentText() == QString::fromLatin1(model_->CurrentObject().DisplayName());
}

void TQarnForm::ShowNameInTypeBox() {
  if (!model_->HasCurrentObject()) return;
  const QSignalBlocker quiet(DTyp);  // showing the name is no rename
  DTyp->setEditText(QString::fromLatin1(model_->CurrentObject().DisplayName()));
}

void TQarnForm::SpeedButton21Click() {
  const std::string text = Latin1Characters(DTyp->currentText());
  if (!FindTypePreset(text, 0)) return;  // only the three preset types do anything
  model_->RunCommand(QStringLiteral("Apply type preset"), [&] {
    const std::optional<TypePreset> preset = FindTypePreset(text, Rotation->Value());
    Lenge->SetValue(preset->lenge);
    XLenge->SetValue(preset->rowLength);
    dyEdit->SetValue(preset->dy);
    XdyEdit->SetValue(preset->rowDy);
    XRotation->SetValue(preset->rowRotation);
    ApplyRotation();
  });
}

void TQarnForm::HexTypChange(const QString& text, int typingRun) {
  KeepingStoredFlags([&] {
    model_->RunCommand(
        QStringLiteral("Set flags"),
        [&] {
          HexEdit->ShowText(text);
          ApplyHexFlags();
        },
        typingRun);
  });
}

void TQarnForm::SpeedButton18Click() {
  model_->RunCommand(QStringLiteral("Set flags"), [this] { ApplyHexFlags(); });
}

void TQarnForm::ccClick() {
  if (refreshDepth_ != 0) return;  // the refresh setting the boxes is no edit
  std::array<bool, 32> boxes{};
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = checkBoxes_[i]->isChecked();
  KeepingStoredFlags([&] {
    model_->RunCommand(QStringLiteral("Set flag bit"), [&] {
      HexEdit->ShowText(QString::fromStdString(FlagText(FlagsFromBoxes(boxes))));
      ApplyHexFlags();
    });
  });
}

void TQarnForm::ApplyHexFlags() {
  const std::string text = Latin1Characters(HexEdit->text());
  model_->ChangeSelected([&](tDesc& object) { ApplyFlags(object, text); });
  model_->EditCycle();
}

// The boxes and HexEdit are written before the flags are applied; when that is refused, they
// show the stored flags again (or, with no point to hold flags, what they showed before).
void TQarnForm::KeepingStoredFlags(const std::function<void()>& change) {
  std::array<bool, 32> boxes{};
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = checkBoxes_[i]->isChecked();
  const QString hexText = HexEdit->text();
  try {
    change();
  } catch (...) {
    const bool stored = model_->HasCurrentObject() && model_->CurrentObject().pointCount > 0;
    if (stored) {
      ShowFlags(model_->CurrentObject().Point(1).flags);
    } else {
      for (size_t i = 0; i < boxes.size(); ++i) checkBoxes_[i]->setChecked(boxes[i]);
      HexEdit->ShowText(hexText);
    }
    throw;
  }
}

void TQarnForm::FillTypeLists() {
  DTyp->addItems(ObjectTypeNames());
  DTyp->setEditText(QStringLiteral("Select?"));
  for (std::string_view preset : kFlagPresets) {
    HexTyp->addItem(QString::fromLatin1(preset.data(), static_cast<qsizetype>(preset.size())));
  }
  HexTyp->setEditText(QStringLiteral("Flags?"));
}

void TQarnForm::TypedChange(TypeChange change, const QString& text) {
  const QScopedValueRollback<bool> keep(keepFocus_, true);
  (this->*change)(text, typingRun_);
}

void TQarnForm::ConnectTypeAndFlags() {
  // Every pick from a list runs its handler, and so does every edit of a list's text. A box
  // announces a pick (textActivated) in the same call that set the picked text, so a changed text
  // waits until the event loop turns: a pick takes it over, or else it was typed. A typed change
  // applies as well but leaves the focus in the box, and the keystrokes of one visit to the box
  // make one undo step.
  const auto connectChoice = [this](QComboBox* box, TypeChange change) {
    auto typed = std::make_shared<std::optional<QString>>();
    connect(box, &QComboBox::editTextChanged, this,
            [this, box, change, typed](const QString& text) {
              const bool waiting = typed->has_value();
              *typed = text;
              if (waiting) return;
              QMetaObject::invokeMethod(
                  box,
                  [this, change, typed] {
                    if (!typed->has_value()) return;  // a pick took it over
                    const QString text = **typed;
                    typed->reset();
                    Guard([&] { TypedChange(change, text); });
                  },
                  Qt::QueuedConnection);
            });
    connect(box, &QComboBox::textActivated, this, [this, change, typed](const QString& text) {
      typed->reset();
      Guard([&] { (this->*change)(text, UndoHistory::kNoMerge); });
    });
  };
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now &&
        (DTyp->isAncestorOf(now) || now == DTyp || HexTyp->isAncestorOf(now) || now == HexTyp)) {
      ++typingRun_;  // a new visit to a box starts a new undo step
    }
  });
  connectChoice(DTyp, &TQarnForm::DTypChange);
  connectChoice(HexTyp, &TQarnForm::HexTypChange);
  for (QCheckBox* box : checkBoxes_) {
    connect(box, &QCheckBox::clicked, this, [this, box] {
      // The focus stays on the box, so the next flag is a Tab away, not a walk from the list.
      const QScopedValueRollback<bool> keep(keepFocus_, keepFocus_ || box->hasFocus());
      Guard([this] { ccClick(); });
    });
  }
}

}  // namespace qarn
