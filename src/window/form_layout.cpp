// The window's controls at their designed places, and the resizing rule: the map area takes every
// change of width, the map area and the point list every change of height.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/glyph_icons.h"
#include "widgets/integer_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/magnifier_view.h"
#include "window/map_view.h"
#include "window/qarn_form.h"

namespace qarn {

namespace {

constexpr int kBottomBarHeight = 41;
constexpr int kRightColumnWidth = 369;
constexpr int kListAreaHeight = 245;
constexpr int kEditPanelHeight = 230;
constexpr int kFieldHeight = 21;

QFrame* Panel(QWidget* parent, const QString& name, bool bevel = true) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  if (bevel) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
  }
  return panel;
}

QPushButton* PushButton(QWidget* parent, const QString& name, const QString& caption, int left) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(left, 7, 75, 25);
  return button;
}

}  // namespace

// A glyph button's designed place, picture and tooltip.
struct GlyphPlace {
  const char* name;
  int left, top;
  Glyph glyph;
  const char* tip;
};

void TQarnForm::GlyphButtons(QWidget* parent, std::initializer_list<GlyphPlace> places) {
  for (const GlyphPlace& p : places) {
    GlyphButton(parent, QString::fromLatin1(p.name), p.left, p.top, p.glyph,
                QString::fromLatin1(p.tip));
  }
}

void TQarnForm::BuildControls() {
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  Image1 = new MapView();
  Image1->SetPicture(&map_.Image());
  ScrollBox1->setWidget(Image1);
  BuildBottomBar();
  BuildRightColumn();
  BuildEditPanel();
  BuildCalibrationBlock();
  SetTabOrder();
}

void TQarnForm::BuildBottomBar() {
  Panel1 = Panel(this, QStringLiteral("Panel1"));
  LoadButton = PushButton(Panel1, QStringLiteral("LoadButton"), QStringLiteral("Load..."), 11);
  Button1 = PushButton(Panel1, QStringLiteral("Button1"), QStringLiteral("Save..."), 121);
  Button2 = PushButton(Panel1, QStringLiteral("Button2"), QStringLiteral("Merge ..."), 276);
  Button3 = PushButton(Panel1, QStringLiteral("Button3"), QStringLiteral("Points"), 441);
  LoadButton->setToolTip(
      QStringLiteral("Load a path set (Ctrl+O); recent files: right-click or Ctrl+R"));
  Button1->setToolTip(
      QStringLiteral("Save under a name you choose (Ctrl+Shift+S); Ctrl+S saves to the open file"));
  Button2->setToolTip(QStringLiteral("Merge a path set into this one (Ctrl+M)"));
  Button3->setToolTip(QStringLiteral("Mark every point of every object"));
  UndoButton = GlyphButton(Panel1, QStringLiteral("UndoButton"), 530, 8, Glyph::Undo,
                           QStringLiteral("Undo (Ctrl+Z)"));
  RedoButton = GlyphButton(Panel1, QStringLiteral("RedoButton"), 556, 8, Glyph::Redo,
                           QStringLiteral("Redo (Ctrl+Shift+Z)"));
  StatusLabel = new QLabel(Panel1);
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
}

void TQarnForm::BuildRightColumn() {
  Panel2 = Panel(this, QStringLiteral("Panel2"));
  Panel4 = Panel(Panel2, QStringLiteral("Panel4"));
  Panel5 = Panel(Panel4, QStringLiteral("Panel5"), false);
  Image2 = new MagnifierView(Panel5);
  Image2->setGeometry(0, 0, 159, 151);
  Names = new tKvStringGrid(Panel4);
  Names->setObjectName(QStringLiteral("Names"));
  Names->SetColCount(2);
  Names->SetDefaultRowHeight(16);
  Names->SetRowCount(2);
  Panel3 = Panel(Panel2, QStringLiteral("Panel3"));
  Ents = new tKvStringGrid(Panel2);
  Ents->setObjectName(QStringLiteral("Ents"));
  Ents->SetColCount(5);
  Ents->SetDefaultRowHeight(18);
  Ents->SetRowCount(2);
}

QToolButton* TQarnForm::GlyphButton(QWidget* parent, const QString& name, int left, int top,
                                    Glyph glyph, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setGeometry(left, top, 23, 22);
  button->setIcon(GlyphIcon(glyph));
  button->setIconSize(QSize(16, 16));
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  button->setToolTip(tip);
  glyphButtons_.insert(name, button);
  return button;
}

TFloatEdit* TQarnForm::FloatField(const QString& name, int left, int top, int width) {
  auto* field = new TFloatEdit(Panel3);
  field->setObjectName(name);
  field->setGeometry(left, top, width, kFieldHeight);
  return field;
}

TIntegerEdit* TQarnForm::IntegerField(const QString& name, int left, int top, int width) {
  auto* field = new TIntegerEdit(Panel3);
  field->setObjectName(name);
  field->setGeometry(left, top, width, kFieldHeight);
  field->SetValue(0);
  return field;
}

void TQarnForm::BuildEditPanel() {
  BuildTypeAndListButtons();
  BuildDirectionPad();
  BuildRotationGroups();
  BuildPositionFields();
  BuildFlagControls();
}

void TQarnForm::BuildTypeAndListButtons() {
  DTyp = new QComboBox(Panel3);
  DTyp->setObjectName(QStringLiteral("DTyp"));
  DTyp->setEditable(true);
  DTyp->setGeometry(5, 5, 191, kFieldHeight);
  DTyp->setMaxVisibleItems(24);
  DTyp->setInsertPolicy(QComboBox::NoInsert);
  GlyphButtons(
      Panel3, {{"SpeedButton1", 205, 5, Glyph::ArrowRightPlus, "Add a copy of the selected object"},
               {"SpeedButton2", 235, 5, Glyph::WasteBin, "Delete the selected object"},
               {"SpeedButton3", 275, 5, Glyph::CircleThreeShapes,
                "Continue the series: add the next object in the same step"},
               {"SpeedButton6", 315, 5, Glyph::ArrowUpOverBar, "Move the selected object up"},
               {"SpeedButton7", 340, 5, Glyph::BarOverArrowDown, "Move the selected object down"},
               {"SpeedButton21", 4, 25, Glyph::BarOverArrowDown,
                "Apply the layout preset of the type shown"}});
}

void TQarnForm::BuildDirectionPad() {
  GlyphButtons(Panel3,
               {{"nwButton", 35, 45, Glyph::ArrowNW, "Move up and left on the map by the step"},
                {"nButton", 60, 45, Glyph::ArrowN, "Move up on the map by the step"},
                {"neButton", 85, 45, Glyph::ArrowNE, "Move up and right on the map by the step"},
                {"wButton", 35, 70, Glyph::ArrowW, "Move left on the map by the step"},
                {"eButton", 85, 70, Glyph::ArrowE, "Move right on the map by the step"},
                {"swButton", 35, 95, Glyph::ArrowSW, "Move down and left on the map by the step"},
                {"sButton", 60, 95, Glyph::ArrowS, "Move down on the map by the step"},
                {"seButton", 85, 95, Glyph::ArrowSE, "Move down and right on the map by the step"},
                {"UpButton", 120, 55, Glyph::TriangleUp, "Move higher by the step"},
                {"DownButton", 120, 80, Glyph::TriangleDown, "Move lower by the step"}});
  mEdit = FloatField(QStringLiteral("mEdit"), 58, 69, 26);
  mEdit->SetValue(1);
}

void TQarnForm::BuildRotationGroups() {
  GlyphButtons(
      Panel3, {{"rotLeftButton", 175, 45, Glyph::ArrowDownLeft, "Turn the object by -15 degrees"},
               {"rotRightButton", 240, 45, Glyph::ArrowDownRight, "Turn the object by +15 degrees"},
               {"rotOkButton", 220, 65, Glyph::CheckMark, "Apply the lengths and angles typed"},
               {"rotRightButton2", 175, 100, Glyph::ArrowUpLeft, "Turn the object by +1 degree"},
               {"rotLeftButton2", 240, 100, Glyph::ArrowUpRight, "Turn the object by -1 degree"},
               {"XrotLeftButton", 55, 180, Glyph::ArrowDownLeft, "Turn the rows by -15 degrees"},
               {"XrotRightButton2", 55, 205, Glyph::ArrowUpLeft, "Turn the rows by +1 degree"},
               {"XrotOkButton", 180, 182, Glyph::CheckMark, "Apply the lengths and angles typed"},
               {"XrotRightButton", 230, 180, Glyph::ArrowDownRight, "Turn the rows by +15 degrees"},
               {"XrotLeftButton2", 230, 205, Glyph::ArrowUpRight, "Turn the rows by -1 degree"}});
  Rotation = IntegerField(QStringLiteral("Rotation"), 195, 65, 26);
  Lenge = FloatField(QStringLiteral("Lenge"), 195, 85, 46);
  XLenge = FloatField(QStringLiteral("XLenge"), 110, 182, 46);
  XRotation = IntegerField(QStringLiteral("XRotation"), 155, 182, 26);
}

void TQarnForm::BuildPositionFields() {
  xEdit = FloatField(QStringLiteral("xEdit"), 70, 130, 56);
  yEdit = FloatField(QStringLiteral("yEdit"), 135, 130, 56);
  zEdit = FloatField(QStringLiteral("zEdit"), 200, 130, 56);
  dxEdit = FloatField(QStringLiteral("dxEdit"), 70, 155, 56);
  dyEdit = FloatField(QStringLiteral("dyEdit"), 135, 155, 56);
  dzEdit = FloatField(QStringLiteral("dzEdit"), 200, 155, 56);
  XdxEdit = FloatField(QStringLiteral("XdxEdit"), 80, 205, 40);
  XdyEdit = FloatField(QStringLiteral("XdyEdit"), 122, 205, 40);
  XdzEdit = FloatField(QStringLiteral("XdzEdit"), 162, 205, 40);
  GlyphButtons(
      Panel3, {{"SpeedButton4", 270, 130, Glyph::CheckMark, "Set point 1 from x, y, z"},
               {"SpeedButton5", 270, 155, Glyph::CheckMark, "Lay the points out from the offsets"},
               {"SpeedButton20", 203, 205, Glyph::CheckMark, "Lay the points out from the offsets"},
               {"SpeedButton8", 10, 150, Glyph::ArrowRightPlus, "Extend the object by one point"},
               {"SpeedButton19", 10, 175, Glyph::CircleThreeShapes,
                "Extend the object by a pair of points and lay out"},
               {"SpeedButton17", 10, 200, Glyph::WasteBin, "Remove the last point"}});
}

void TQarnForm::BuildFlagControls() {
  for (int n = 1; n <= 32; ++n) {
    const int place = (n - 1) % 16;  // place within its block, row by row
    const int blockTop = n <= 16 ? 55 : 120;
    auto* box = new QCheckBox(Panel3);
    box->setObjectName(QStringLiteral("c%1").arg(n));
    box->setProperty("tag", place + 1);
    box->setGeometry(300 + 15 * (place % 4), blockTop + 15 * (place / 4), 16, 17);
    checkBoxes_[static_cast<size_t>(n - 1)] = box;
  }
  HexTyp = new QComboBox(Panel3);
  HexTyp->setObjectName(QStringLiteral("HexTyp"));
  HexTyp->setEditable(true);
  HexTyp->setInsertPolicy(QComboBox::NoInsert);
  HexTyp->setGeometry(300, 182, 65, kFieldHeight);
  HexEdit = new TCharEdit(Panel3);
  HexEdit->setObjectName(QStringLiteral("HexEdit"));
  HexEdit->setGeometry(260, 205, 66, kFieldHeight);
  HexEdit->SetCharSets(0x3F);
  HexEdit->SetMinLength(0);
  HexEdit->SetMaxLength(255);
  GlyphButton(Panel3, QStringLiteral("SpeedButton18"), 330, 205, Glyph::CheckMark,
              QStringLiteral("Set every point's flags to the hexadecimal value"));
}

void TQarnForm::BuildCalibrationBlock() {
  // Designed invisible: a calibration aid for the map transform that nothing shows.
  const QPoint labelPlaces[] = {{10, 155}, {10, 200}, {85, 155}, {85, 200}};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(QStringLiteral("0000,00"), Panel5);
    label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    label->setGeometry(labelPlaces[i].x(), labelPlaces[i].y(), 39, 13);
    label->setVisible(false);
    calibrationLabels_[static_cast<size_t>(i)] = label;
  }
  GlyphButtons(Panel5, {{"SpeedButton9", 10, 170, Glyph::Plus, ""},
                        {"SpeedButton10", 35, 170, Glyph::Minus, ""},
                        {"SpeedButton16", 10, 215, Glyph::Plus, ""},
                        {"SpeedButton15", 35, 215, Glyph::Minus, ""},
                        {"SpeedButton11", 90, 170, Glyph::Plus, ""},
                        {"SpeedButton12", 115, 170, Glyph::Minus, ""},
                        {"SpeedButton13", 90, 215, Glyph::Plus, ""},
                        {"SpeedButton14", 115, 215, Glyph::Minus, ""}});
  for (QToolButton* button : Panel5->findChildren<QToolButton*>()) button->setVisible(false);
}

void TQarnForm::SetTabOrder() {
  QList<QWidget*> order = {LoadButton, Button1, Button2, Button3, DTyp,  xEdit,    yEdit,
                           zEdit,      dxEdit,  dyEdit,  dzEdit,  mEdit, Rotation, HexTyp};
  for (int n : {17, 18, 20, 19, 21, 22, 23, 24, 25, 26, 27, 28, 32, 31, 30, 29}) {
    order.append(checkBoxes_[static_cast<size_t>(n - 1)]);
  }
  order << HexEdit << Lenge << XLenge << XRotation << XdzEdit << XdxEdit << XdyEdit;
  for (int n = 1; n <= 16; ++n) order.append(checkBoxes_[static_cast<size_t>(n - 1)]);
  order << Ents << Names << ScrollBox1;
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TQarnForm::LayOutContainers() {
  const int w = width();
  const int h = height();
  const int mapWidth = std::max(0, w - kRightColumnWidth);
  const int upperHeight = std::max(0, h - kBottomBarHeight);
  Panel1->setGeometry(0, upperHeight, w, kBottomBarHeight);
  StatusLabel->setGeometry(590, 7, std::max(0, w - 598), 25);
  Panel2->setGeometry(mapWidth, 0, kRightColumnWidth, upperHeight);
  ScrollBox1->setGeometry(0, 0, mapWidth, upperHeight);
  // Inside Panel2's one-pixel bevel: the list area, the edit panel, then the point list.
  const int inner = kRightColumnWidth - 2;
  Panel4->setGeometry(1, 1, inner, kListAreaHeight);
  Panel5->setGeometry(1, 1, 159, kListAreaHeight - 2);
  Names->setGeometry(160, 1, inner - 2 - 159, kListAreaHeight - 2);
  Panel3->setGeometry(1, 1 + kListAreaHeight, inner, kEditPanelHeight);
  const int entsTop = 1 + kListAreaHeight + kEditPanelHeight;
  Ents->setGeometry(1, entsTop, inner, std::max(0, upperHeight - 1 - entsTop));
}

void TQarnForm::Loaded() {
  Names->Loaded();
  Ents->Loaded();
  Names->AddColumn(QStringLiteral("Nummer"), QString(), QString(), 64, 0, 0, true, false);
  Names->AddColumn(QStringLiteral("Name"), QString(), QString(), 192, 0, 0, true, false);
  for (const char* title : {"Nummer", "X", "Y", "Z", "Flags"}) {
    Ents->AddColumn(QString::fromLatin1(title), QString(), QString(), 64, 0, 0, true, false);
  }
  Names->OnGetCellDrawText = [this](int col, int row) { return NamesCellText(col, row); };
  Ents->OnGetCellDrawText = [this](int col, int row) { return EntsCellText(col, row); };
}

void TQarnForm::OnClick(const QString& buttonName, std::function<void()> handler) {
  QToolButton* button = glyphButtons_.value(buttonName);
  Q_ASSERT(button);
  connect(button, &QToolButton::clicked, this,
          [this, handler = std::move(handler)] { Guard(handler); });
}

}  // namespace qarn
