// The window's controls at their designed places, and the resizing rule: the map area takes every
// change of width, the map area and the point list every change of height.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

#include "widgets/char_edit.h"
#include "widgets/field_panel_style.h"
#include "widgets/float_edit.h"
#include "widgets/glyph_icons.h"
#include "widgets/integer_edit.h"
#include "widgets/kv_string_grid.h"
#include "window/command_button.h"
#include "window/magnifier_view.h"
#include "window/map_view.h"
#include "window/qarn_form.h"
#include "window/scrolled_column.h"
#include "window/status_line.h"
#include "window/zoom_control.h"

namespace qarn {

namespace {

constexpr int kBottomBarHeight = 41;
constexpr int kRightColumnWidth = 369;
constexpr int kListAreaHeight = 245;
constexpr int kEditPanelHeight = 230;
constexpr int kFieldHeight = 21;
constexpr int kZoomBoxLeft = 362;
constexpr int kZoomBoxWidth = 72;
constexpr int kStatusLeft = 590;
constexpr QSize kDesignedSize(792, 573);
constexpr int kBarMargin = 8;
constexpr int kPointListLeastHeight = 2 * 18 + 4;  // the caption and one row
// Inside Panel2's one-pixel bevel: the list area, the edit panel, the point list.
constexpr int kColumnLeastHeight = 2 + kListAreaHeight + kEditPanelHeight + kPointListLeastHeight;
constexpr int kDesignedColumnHeight = 532;
// Below the column's least height it scrolls; it always shows the edit panel whole.
constexpr int kUpperLeastHeight = kEditPanelHeight + 2;

// A panel with a raised one-pixel bevel. Its controls are not opaque, so Qt paints the panel under
// each control it repaints; a click repaints several, and drawing the bevel for each cost as much
// as painting a control, for pixels the clip then threw away.
class BevelPanel : public QFrame {
 public:
  using QFrame::QFrame;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!contentsRect().contains(event->rect())) QFrame::paintEvent(event);
  }
};

QFrame* Panel(QWidget* parent, const QString& name, const QString& spoken, bool bevel = true) {
  auto* panel = new BevelPanel(parent);
  panel->setObjectName(name);
  panel->setAccessibleName(spoken);
  if (bevel) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
  }
  return panel;
}

// The lists' columns: fixed widths, no number of their own (no menu entry, no saved visibility),
// the cells' default text format, always shown.
constexpr int32_t kNumberColumnWidth = 64;
constexpr int32_t kNoColumnId = 0;
constexpr int32_t kDefaultDrawFlags = 0;
constexpr bool kShown = true;
constexpr bool kNotInMenu = false;

void AddListColumn(tKvStringGrid* grid, const char* title, int32_t width) {
  grid->AddColumn(QString::fromLatin1(title), QString(), QString(), width, kNoColumnId,
                  kDefaultDrawFlags, kShown, kNotInMenu);
}

QPushButton* PushButton(QWidget* parent, const QString& name, const QString& caption, int left) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(left, 7, 75, 25);
  return button;
}

// The status line reaches from its left edge to the bar's right margin or to the first control
// placed right of it, whichever comes first: a control at the bar's right end keeps its room.
int StatusLineRight(const QWidget* bar, const QWidget* status) {
  int right = bar->width() - kBarMargin;
  for (const QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child != status && !child->isHidden() && child->x() > kStatusLeft) {
      right = std::min(right, child->x() - kBarMargin);
    }
  }
  return right;
}

// The parts Qt adds to a scrolled view (its viewport and the holders of its scroll bars) are
// announced under the view's own name.
void NameScrollParts(QAbstractScrollArea* area) {
  const QString name = area->accessibleName();
  area->viewport()->setAccessibleName(name);
  const std::pair<QScrollBar*, QString> bars[] = {
      {area->horizontalScrollBar(), QStringLiteral("%1, scroll sideways").arg(name)},
      {area->verticalScrollBar(), QStringLiteral("%1, scroll up and down").arg(name)}};
  for (const auto& [bar, spoken] : bars) {
    bar->setAccessibleName(spoken);
    if (bar->parentWidget() != area) bar->parentWidget()->setAccessibleName(spoken);
  }
}

// Every control of the bottom bar whole, with room in the status line for the marker and a
// position far from the origin; the right column scrolls in a low window, so a large text scale
// still fits a small screen. Never more than the designed size, whatever the font.
QSize MinimumFormSize(const QWidget* status) {
  const int statusWidth =
      status->fontMetrics().horizontalAdvance(QStringLiteral("u…d *   x -00000,00  z -00000,00"));
  const QSize least(kStatusLeft + statusWidth + kBarMargin, kUpperLeastHeight + kBottomBarHeight);
  return least.boundedTo(kDesignedSize);
}

}  // namespace

// An edit field's layout name, designed place and width, and the name assistive technology
// announces for it.
struct FieldPlace {
  const char* name;
  int left, top, width;
  const char* spoken;
};

namespace {

// The box, its text field and its list all announce the same name. On Linux an editable box
// announces its text as its name, so the purpose is its description too.
void NameComboBox(QComboBox* box, const QString& spoken) {
  box->setAccessibleName(spoken);
  box->setAccessibleDescription(spoken);
  box->lineEdit()->setAccessibleName(spoken);
  box->view()->setAccessibleName(spoken);
}

void Place(QWidget* field, const FieldPlace& place) {
  field->setObjectName(QString::fromLatin1(place.name));
  field->setGeometry(place.left, place.top, place.width, kFieldHeight);
  field->setAccessibleName(QString::fromLatin1(place.spoken));
}

// The fields that overlap no other control paint all their pixels themselves (see
// FieldPanelStyle). Where two fields share an edge, the later one's corners show the earlier
// one's frame, which only painting beneath them gives. (The panel's bevel lies well outside its
// fields.)
void UseFieldPanels(QWidget* panel) {
  const QList<QWidget*> controls = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QLineEdit* field : panel->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
    const QRect place = field->geometry();
    const bool alone = std::none_of(controls.begin(), controls.end(), [&](const QWidget* other) {
      return other != field && other->geometry().intersects(place);
    });
    if (alone) FieldPanelStyle::Use(field);
  }
}

}  // namespace

// A glyph button's member, layout name, designed place, picture and tooltip (which is also the
// name assistive technology announces).
struct GlyphPlace {
  QToolButton* FormButtons::*button;
  const char* name;
  int left, top;
  Glyph glyph;
  const char* tip;
};

// The member and its layout name from one spelling.
#define QARN_GLYPH(member) &FormButtons::member, #member

void TQarnForm::GlyphButtons(QWidget* parent, std::initializer_list<GlyphPlace> places) {
  for (const GlyphPlace& p : places) {
    buttons_.*p.button = GlyphButton(parent, QString::fromLatin1(p.name), p.left, p.top, p.glyph,
                                     QString::fromLatin1(p.tip));
  }
}

void TQarnForm::BuildControls() {
  ScrollBox1 = new MapView(map_, client_);
  Image1 = ScrollBox1->Canvas();
  BuildBottomBar();
  BuildRightColumn();
  BuildEditPanel();
  BuildCalibrationBlock();
  SetTabOrder();
  for (QAbstractScrollArea* area :
       {static_cast<QAbstractScrollArea*>(ScrollBox1), static_cast<QAbstractScrollArea*>(Names),
        static_cast<QAbstractScrollArea*>(Ents), static_cast<QAbstractScrollArea*>(RightColumn)}) {
    NameScrollParts(area);
  }
  setMinimumSize(MinimumFormSize(StatusLabel));
}

void TQarnForm::BuildBottomBar() {
  Panel1 = Panel(client_, QStringLiteral("Panel1"), QStringLiteral("File and view buttons"));
  LoadButton = PushButton(Panel1, QStringLiteral("LoadButton"), QStringLiteral("Load..."), 11);
  Button1 = PushButton(Panel1, QStringLiteral("Button1"), QStringLiteral("Save..."), 121);
  Button2 = PushButton(Panel1, QStringLiteral("Button2"), QStringLiteral("Merge ..."), 276);
  Button3 = PushButton(Panel1, QStringLiteral("Button3"), QStringLiteral("Points"), 441);
  UndoButton = GlyphButton(Panel1, QStringLiteral("UndoButton"), 530, 8, Glyph::Undo,
                           QStringLiteral("Undo (Ctrl+Z)"));
  RedoButton = GlyphButton(Panel1, QStringLiteral("RedoButton"), 556, 8, Glyph::Redo,
                           QStringLiteral("Redo (Ctrl+Shift+Z)"));
  StatusLabel = new StatusLine(Panel1);
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  ZoomBox = new ZoomControl(*ScrollBox1, Panel1);
  // Between Merge and Points, beside the other map command: the status line keeps the bar's
  // right end for the file name and the position.
  ZoomBox->setGeometry(kZoomBoxLeft, 9, kZoomBoxWidth, kFieldHeight);
  UndoButton->setAccessibleName(QStringLiteral("Undo"));
  RedoButton->setAccessibleName(QStringLiteral("Redo"));
}

void TQarnForm::BuildRightColumn() {
  Panel2 = Panel(client_, QStringLiteral("Panel2"), QStringLiteral("Lists and edit panel"));
  RightColumn = new ScrolledColumn(Panel2, client_);
  Panel4 = Panel(Panel2, QStringLiteral("Panel4"), QStringLiteral("Object list and magnifier"));
  Panel5 = Panel(Panel4, QStringLiteral("Panel5"), QStringLiteral("Magnifier"), false);
  Image2 = new MagnifierView(Panel5);
  Image2->setGeometry(0, 0, 159, 151);
  Image2->setAccessibleName(QStringLiteral("Magnifier"));
  Names = new tKvStringGrid(Panel4);
  Names->setObjectName(QStringLiteral("Names"));
  Names->SetColCount(2);
  Names->SetDefaultRowHeight(16);
  Names->SetRowCount(2);
  Names->setAccessibleName(QStringLiteral("Objects"));
  Panel3 = Panel(Panel2, QStringLiteral("Panel3"), QStringLiteral("Edit panel"));
  Ents = new tKvStringGrid(Panel2);
  Ents->setObjectName(QStringLiteral("Ents"));
  Ents->SetColCount(5);
  Ents->SetDefaultRowHeight(18);
  Ents->SetRowCount(2);
  Ents->setAccessibleName(QStringLiteral("Points of the selected object"));
}

QToolButton* TQarnForm::GlyphButton(QWidget* parent, const QString& name, int left, int top,
                                    Glyph glyph, const QString& tip) {
  auto* button = new CommandButton(parent);
  button->setObjectName(name);
  button->setGeometry(left, top, 23, 22);
  button->setIcon(GlyphIcon(glyph));
  button->setIconSize(QSize(16, 16));
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRaise(true);
  button->setToolTip(tip);
  button->setAccessibleName(tip);
  return button;
}

TFloatEdit* TQarnForm::FloatField(const FieldPlace& place) {
  auto* field = new TFloatEdit(Panel3);
  Place(field, place);
  return field;
}

TIntegerEdit* TQarnForm::IntegerField(const FieldPlace& place) {
  auto* field = new TIntegerEdit(Panel3);
  Place(field, place);
  field->SetValue(0);
  return field;
}

void TQarnForm::BuildEditPanel() {
  BuildTypeAndListButtons();
  BuildDirectionPad();
  BuildRotationGroups();
  BuildPositionFields();
  BuildFlagControls();
  UseFieldPanels(Panel3);
}

void TQarnForm::BuildTypeAndListButtons() {
  DTyp = new QComboBox(Panel3);
  DTyp->setObjectName(QStringLiteral("DTyp"));
  DTyp->setEditable(true);
  DTyp->setGeometry(5, 5, 191, kFieldHeight);
  DTyp->setMaxVisibleItems(24);
  DTyp->setInsertPolicy(QComboBox::NoInsert);
  NameComboBox(DTyp, QStringLiteral("Type name of the selected object"));
  GlyphButtons(
      Panel3,
      {{QARN_GLYPH(SpeedButton1), 205, 5, Glyph::ArrowRightPlus,
        "Add a copy of the selected object"},
       {QARN_GLYPH(SpeedButton2), 235, 5, Glyph::WasteBin, "Delete the selected object"},
       {QARN_GLYPH(SpeedButton3), 275, 5, Glyph::CircleThreeShapes,
        "Continue the series: add the next object in the same step"},
       {QARN_GLYPH(SpeedButton6), 315, 5, Glyph::ArrowUpOverBar, "Move the selected object up"},
       {QARN_GLYPH(SpeedButton7), 340, 5, Glyph::BarOverArrowDown, "Move the selected object down"},
       {QARN_GLYPH(SpeedButton21), 4, 25, Glyph::BarOverArrowDown,
        "Apply the layout preset of the type shown"}});
}

void TQarnForm::BuildDirectionPad() {
  GlyphButtons(
      Panel3,
      {{QARN_GLYPH(nwButton), 35, 45, Glyph::ArrowNW, "Move up and left on the map by the step"},
       {QARN_GLYPH(nButton), 60, 45, Glyph::ArrowN, "Move up on the map by the step"},
       {QARN_GLYPH(neButton), 85, 45, Glyph::ArrowNE, "Move up and right on the map by the step"},
       {QARN_GLYPH(wButton), 35, 70, Glyph::ArrowW, "Move left on the map by the step"},
       {QARN_GLYPH(eButton), 85, 70, Glyph::ArrowE, "Move right on the map by the step"},
       {QARN_GLYPH(swButton), 35, 95, Glyph::ArrowSW, "Move down and left on the map by the step"},
       {QARN_GLYPH(sButton), 60, 95, Glyph::ArrowS, "Move down on the map by the step"},
       {QARN_GLYPH(seButton), 85, 95, Glyph::ArrowSE, "Move down and right on the map by the step"},
       {QARN_GLYPH(UpButton), 120, 55, Glyph::TriangleUp, "Move higher by the step"},
       {QARN_GLYPH(DownButton), 120, 80, Glyph::TriangleDown, "Move lower by the step"}});
  mEdit = FloatField({"mEdit", 58, 69, 26, "Step of the move buttons"});
  mEdit->SetValue(1);
}

void TQarnForm::BuildRotationGroups() {
  GlyphButtons(
      Panel3,
      {{QARN_GLYPH(rotLeftButton), 175, 45, Glyph::ArrowDownLeft, "Turn the object by -15 degrees"},
       {QARN_GLYPH(rotRightButton), 240, 45, Glyph::ArrowDownRight,
        "Turn the object by +15 degrees"},
       {QARN_GLYPH(rotOkButton), 220, 65, Glyph::CheckMark,
        "Apply the lengths and angles typed (beside the direction to point 2)"},
       {QARN_GLYPH(rotRightButton2), 175, 100, Glyph::ArrowUpLeft, "Turn the object by +1 degree"},
       {QARN_GLYPH(rotLeftButton2), 240, 100, Glyph::ArrowUpRight, "Turn the object by -1 degree"},
       {QARN_GLYPH(XrotLeftButton), 55, 180, Glyph::ArrowDownLeft, "Turn the rows by -15 degrees"},
       {QARN_GLYPH(XrotRightButton2), 55, 205, Glyph::ArrowUpLeft, "Turn the rows by +1 degree"},
       {QARN_GLYPH(XrotOkButton), 180, 182, Glyph::CheckMark,
        "Apply the lengths and angles typed (beside the direction of the rows)"},
       {QARN_GLYPH(XrotRightButton), 230, 180, Glyph::ArrowDownRight,
        "Turn the rows by +15 degrees"},
       {QARN_GLYPH(XrotLeftButton2), 230, 205, Glyph::ArrowUpRight, "Turn the rows by -1 degree"}});
  Rotation = IntegerField({"Rotation", 195, 65, 26, "Direction from point 1 to point 2, degrees"});
  Lenge = FloatField({"Lenge", 195, 85, 46, "Distance from point 1 to point 2"});
  XLenge = FloatField({"XLenge", 110, 182, 46, "Distance from point 1 to point 3"});
  XRotation = IntegerField({"XRotation", 155, 182, 26, "Direction of the rows, degrees"});
}

void TQarnForm::BuildPositionFields() {
  xEdit = FloatField({"xEdit", 70, 130, 56, "x of point 1"});
  yEdit = FloatField({"yEdit", 135, 130, 56, "y (height) of point 1"});
  zEdit = FloatField({"zEdit", 200, 130, 56, "z of point 1"});
  dxEdit = FloatField({"dxEdit", 70, 155, 56, "x from point 1 to point 2"});
  dyEdit = FloatField({"dyEdit", 135, 155, 56, "y from point 1 to point 2"});
  dzEdit = FloatField({"dzEdit", 200, 155, 56, "z from point 1 to point 2"});
  XdxEdit = FloatField({"XdxEdit", 80, 205, 40, "x from point 1 to point 3"});
  XdyEdit = FloatField({"XdyEdit", 122, 205, 40, "y from point 1 to point 3"});
  XdzEdit = FloatField({"XdzEdit", 162, 205, 40, "z from point 1 to point 3"});
  GlyphButtons(
      Panel3,
      {{QARN_GLYPH(SpeedButton4), 270, 130, Glyph::CheckMark, "Set point 1 from x, y, z"},
       {QARN_GLYPH(SpeedButton5), 270, 155, Glyph::CheckMark,
        "Lay the points out from the offsets (beside the offsets to point 2)"},
       {QARN_GLYPH(SpeedButton20), 203, 205, Glyph::CheckMark,
        "Lay the points out from the offsets (beside the offsets to point 3)"},
       {QARN_GLYPH(SpeedButton8), 10, 150, Glyph::ArrowRightPlus, "Extend the object by one point"},
       {QARN_GLYPH(SpeedButton19), 10, 175, Glyph::CircleThreeShapes,
        "Extend the object by a pair of points and lay out"},
       {QARN_GLYPH(SpeedButton17), 10, 200, Glyph::WasteBin, "Remove the last point"}});
}

void TQarnForm::BuildFlagControls() {
  for (int n = 1; n <= 32; ++n) {
    const int place = (n - 1) % 16;  // place within its block, row by row
    const int blockTop = n <= 16 ? 55 : 120;
    auto* box = new QCheckBox(Panel3);
    box->setObjectName(QStringLiteral("c%1").arg(n));
    box->setProperty("tag", place + 1);
    box->setAccessibleName(QStringLiteral("Flag bit %1").arg(32 - n));
    box->setGeometry(300 + 15 * (place % 4), blockTop + 15 * (place / 4), 16, 17);
    checkBoxes_[static_cast<size_t>(n - 1)] = box;
  }
  HexTyp = new QComboBox(Panel3);
  HexTyp->setObjectName(QStringLiteral("HexTyp"));
  HexTyp->setEditable(true);
  HexTyp->setInsertPolicy(QComboBox::NoInsert);
  HexTyp->setGeometry(300, 182, 65, kFieldHeight);
  NameComboBox(HexTyp, QStringLiteral("Flag presets"));
  HexEdit = new TCharEdit(Panel3);
  HexEdit->setObjectName(QStringLiteral("HexEdit"));
  HexEdit->setGeometry(260, 205, 66, kFieldHeight);
  HexEdit->setAccessibleName(QStringLiteral("Flags of every point, hexadecimal"));
  HexEdit->SetCharSets(0x3F);
  HexEdit->SetMinLength(0);
  HexEdit->SetMaxLength(255);
  GlyphButtons(Panel3, {{QARN_GLYPH(SpeedButton18), 330, 205, Glyph::CheckMark,
                         "Set every point's flags to the hexadecimal value"}});
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
  GlyphButtons(Panel5, {{QARN_GLYPH(SpeedButton9), 10, 170, Glyph::Plus, "Map scale x up"},
                        {QARN_GLYPH(SpeedButton10), 35, 170, Glyph::Minus, "Map scale x down"},
                        {QARN_GLYPH(SpeedButton16), 10, 215, Glyph::Plus, "Map scale z up"},
                        {QARN_GLYPH(SpeedButton15), 35, 215, Glyph::Minus, "Map scale z down"},
                        {QARN_GLYPH(SpeedButton11), 90, 170, Glyph::Plus, "Map origin right"},
                        {QARN_GLYPH(SpeedButton12), 115, 170, Glyph::Minus, "Map origin left"},
                        {QARN_GLYPH(SpeedButton13), 90, 215, Glyph::Plus, "Map origin down"},
                        {QARN_GLYPH(SpeedButton14), 115, 215, Glyph::Minus, "Map origin up"}});
  for (QToolButton* button : Panel5->findChildren<QToolButton*>()) button->setVisible(false);
}

void TQarnForm::SetTabOrder() {
  // The zoom box where it stands on the bar, between Merge and Points.
  QList<QWidget*> order = {LoadButton, Button1, Button2, ZoomBox, Button3, DTyp,     xEdit, yEdit,
                           zEdit,      dxEdit,  dyEdit,  dzEdit,  mEdit,   Rotation, HexTyp};
  for (int n : {17, 18, 20, 19, 21, 22, 23, 24, 25, 26, 27, 28, 32, 31, 30, 29}) {
    order.append(checkBoxes_[static_cast<size_t>(n - 1)]);
  }
  order << HexEdit << Lenge << XLenge << XRotation << XdzEdit << XdxEdit << XdyEdit;
  for (int n = 1; n <= 16; ++n) order.append(checkBoxes_[static_cast<size_t>(n - 1)]);
  order << Ents << Names << ScrollBox1;
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TQarnForm::LayOutContainers() {
  const int barHeight = menuBar_->sizeHint().height();
  menuBar_->setGeometry(0, 0, width(), barHeight);
  client_->setGeometry(0, barHeight, width(), std::max(0, height() - barHeight));
  const int w = client_->width();
  const int h = client_->height();
  const int upperHeight = std::max(0, h - kBottomBarHeight);
  const int columnWidth = RightColumn->WidthFor(kRightColumnWidth, upperHeight, kColumnLeastHeight);
  const int mapWidth = std::max(0, w - columnWidth);
  Panel1->setGeometry(0, upperHeight, w, kBottomBarHeight);
  const int statusRight = StatusLineRight(Panel1, StatusLabel);
  StatusLabel->setGeometry(kStatusLeft, 7, std::max(0, statusRight - kStatusLeft), 25);
  RightColumn->Place(QRect(mapWidth, 0, columnWidth, upperHeight), kRightColumnWidth,
                     kColumnLeastHeight);
  ScrollBox1->setGeometry(0, 0, mapWidth, upperHeight);
  LayOutRightColumn(Panel2->height());
}

// A column higher than designed gives half the extra height to the object list and half to the
// point list; a lower one takes it from the point list.
void TQarnForm::LayOutRightColumn(int columnHeight) {
  const int inner = kRightColumnWidth - 2;
  const int listHeight = kListAreaHeight + std::max(0, columnHeight - kDesignedColumnHeight) / 2;
  Panel4->setGeometry(1, 1, inner, listHeight);
  Panel5->setGeometry(1, 1, 159, kListAreaHeight - 2);
  Names->setGeometry(160, 1, inner - 2 - 159, listHeight - 2);
  Panel3->setGeometry(1, 1 + listHeight, inner, kEditPanelHeight);
  const int entsTop = 1 + listHeight + kEditPanelHeight;
  Ents->setGeometry(1, entsTop, inner, std::max(0, columnHeight - 1 - entsTop));
}

void TQarnForm::Loaded() {
  Names->Loaded();
  Ents->Loaded();
  AddListColumn(Names, "Nummer", kNumberColumnWidth);
  AddListColumn(Names, "Name", kNameColumnWidth);
  for (const char* title : {"Nummer", "X", "Y", "Z", "Flags"}) {
    AddListColumn(Ents, title, kNumberColumnWidth);
  }
  Names->OnGetCellDrawText = [this](int col, int row) { return NamesCellText(col, row); };
  Names->OnGetCellHint = [this](int col, int row) { return NamesCellHint(col, row); };
  Names->OnGetCellDrawColor = [this](int, int row) {
    const Selection& selected = model_->Selected();
    const bool marked = row != selected.current && selected.Contains(row);
    const QColor base = Names->palette().color(QPalette::Base);
    if (!marked) return base;
    // Paler than the current row's highlight, so the current one still stands out.
    const QColor mark = Names->palette().color(QPalette::Highlight);
    return QColor((mark.red() + 2 * base.red()) / 3, (mark.green() + 2 * base.green()) / 3,
                  (mark.blue() + 2 * base.blue()) / 3);
  };
  Ents->OnGetCellDrawText = [this](int col, int row) { return EntsCellText(col, row); };
}

}  // namespace qarn
