// The object's type name, the three layout presets and the flag word of its points.
#include <QCheckBox>
#include <QComboBox>
#include <memory>
#include <utility>

#include "assets/object_types.h"
#include "commands/type_and_flags.h"
#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"
#include "window/qarn_form.h"

namespace qarn {

void TQarnForm::DTypChange(const QString& text) {
  RunCommand(QStringLiteral("Set type"), [&] {
    tDesc& object = SelectedObject();
    SetObjectName(object, text.toLatin1().toStdString());
    EditCycle();
  });
}

void TQarnForm::SpeedButton21Click() {
  const std::string text = DTyp->currentText().toLatin1().toStdString();
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

void TQarnForm::HexTypChange(const QString& text) {
  RunCommand(QStringLiteral("Set flags"), [&] {
    HexEdit->setText(text);
    ApplyFlags();
  });
}

void TQarnForm::SpeedButton18Click() {
  RunCommand(QStringLiteral("Set flags"), [this] { ApplyFlags(); });
}

void TQarnForm::ccClick() {
  if (refreshDepth_ != 0) return;  // the refresh setting the boxes is no edit
  std::array<bool, 32> boxes{};
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = checkBoxes_[i]->isChecked();
  RunCommand(QStringLiteral("Set flag bit"), [&] {
    HexEdit->setText(QString::fromStdString(FlagText(FlagsFromBoxes(boxes))));
    ApplyFlags();
  });
}

void TQarnForm::ApplyFlags() {
  tDesc& object = SelectedObject();
  qarn::ApplyFlags(object, HexEdit->text().toLatin1().toStdString());
  EditCycle();
}

void TQarnForm::FillTypeLists() {
  DTyp->addItems(ObjectTypeNames());
  DTyp->setEditText(QStringLiteral("Select?"));
  for (std::string_view preset : kFlagPresets) {
    HexTyp->addItem(QString::fromLatin1(preset.data(), static_cast<qsizetype>(preset.size())));
  }
  HexTyp->setEditText(QStringLiteral("Flags?"));
}

void TQarnForm::ConnectTypeAndFlags() {
  // Every edit of a list's text runs its handler, and so does every pick from the list: a pick
  // of the entry already shown changes no text and runs it through the pick itself. A changed
  // text counts as handled until the event loop turns, so one pick never runs it twice.
  const auto connectChoice = [this](QComboBox* box, void (TQarnForm::*change)(const QString&)) {
    auto changedNow = std::make_shared<bool>(false);
    connect(box, &QComboBox::editTextChanged, this,
            [this, box, change, changedNow](const QString& text) {
              *changedNow = true;
              QMetaObject::invokeMethod(
                  box, [changedNow] { *changedNow = false; }, Qt::QueuedConnection);
              Guard([&] { (this->*change)(text); });
            });
    connect(box, &QComboBox::textActivated, this, [this, change, changedNow](const QString& text) {
      if (!std::exchange(*changedNow, false)) Guard([&] { (this->*change)(text); });
    });
  };
  connectChoice(DTyp, &TQarnForm::DTypChange);
  connectChoice(HexTyp, &TQarnForm::HexTypChange);
  OnClick(QStringLiteral("SpeedButton21"), [this] { SpeedButton21Click(); });
  OnClick(QStringLiteral("SpeedButton18"), [this] { SpeedButton18Click(); });
  for (QCheckBox* box : checkBoxes_) {
    connect(box, &QCheckBox::clicked, this, [this] { Guard([this] { ccClick(); }); });
  }
}

}  // namespace qarn
