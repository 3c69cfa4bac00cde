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
  RunCommand(
      QStringLiteral("Set type"),
      [&] {
        tDesc& object = SelectedObject();
        SetObjectName(object, Latin1Characters(text));
        EditCycle();
      },
      typingRun);
}

bool TQarnForm::TypeBoxShowsName() const {
  const int row = SelectedRow();
  return row >= 1 && row <= static_cast<int>(document_.records.size()) &&
         DTyp->currentText() == QString::fromLatin1(document_.Object(row).DisplayName());
}

void TQarnForm::ShowNameInTypeBox() {
  const int row = SelectedRow();
  if (row < 1 || row > static_cast<int>(document_.records.size())) return;
  const QSignalBlocker quiet(DTyp);  // showing the name is no rename
  DTyp->setEditText(QString::fromLatin1(document_.Object(row).DisplayName()));
}

void TQarnForm::SpeedButton21Click() {
  const std::string text = Latin1Characters(DTyp->currentText());
  if (!FindTypePreset(text, 0)) return;  // only the three preset types do anything
  RunCommand(QStringLiteral("Apply type preset"), [&] {
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
    RunCommand(
        QStringLiteral("Set flags"),
        [&] {
          HexEdit->ShowText(text);
          ApplyFlags();
        },
        typingRun);
  });
}

void TQarnForm::SpeedButton18Click() {
  RunCommand(QStringLiteral("Set flags"), [this] { ApplyFlags(); });
}

void TQarnForm::ccClick() {
  if (refreshDepth_ != 0) return;  // the refresh setting the boxes is no edit
  std::array<bool, 32> boxes{};
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = checkBoxes_[i]->isChecked();
  KeepingStoredFlags([&] {
    RunCommand(QStringLiteral("Set flag bit"), [&] {
      HexEdit->ShowText(QString::fromStdString(FlagText(FlagsFromBoxes(boxes))));
      ApplyFlags();
    });
  });
}

void TQarnForm::ApplyFlags() {
  tDesc& object = SelectedObject();
  qarn::ApplyFlags(object, Latin1Characters(HexEdit->text()));
  EditCycle();
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
    const int row = SelectedRow();
    const bool stored = row >= 1 && row <= static_cast<int>(document_.objectCount) &&
                        document_.Object(row).pointCount > 0;
    if (stored) {
      ShowFlags(document_.Object(row).Point(1).flags);
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
  OnClick(buttons_.SpeedButton21, [this] { SpeedButton21Click(); });
  OnClick(buttons_.SpeedButton18, [this] { SpeedButton18Click(); });
  for (QCheckBox* box : checkBoxes_) {
    connect(box, &QCheckBox::clicked, this, [this] { Guard([this] { ccClick(); }); });
  }
}

}  // namespace qarn
