#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "commands/refresh_values.h"
#include "editing/path_set_document.h"
#include "fileio/disk_snapshot.h"
#include "map/map_picture.h"
#include "map/map_transform.h"
#include "window/form_buttons.h"
#include "window/form_dialogs.h"
#include "window/map_editor.h"
#include "window/map_host.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolButton;

namespace qarn {

class CommandActions;
class FileCommands;
class DiskChangeGuard;
class MagnifierView;
class MapCanvas;
class MapChoice;
class MarkPreview;
class NameWidths;
class PendingMessages;
class MapView;
class TCharEdit;
class TFloatEdit;
class TIntegerEdit;
class tKvStringGrid;
class ZoomControl;
struct LayoutFields;
struct Vec3;
enum class Glyph;
struct FieldPlace;
struct GlyphPlace;
class StatusLine;
class ScrolledColumn;

// The editor's one window: a view of the document model with the map on the left, the object
// and point lists and the edit panel on the right, the file buttons at the bottom and the menu
// bar above. Its handlers read the fields and ask the model to run one core operation; the lists,
// fields and marks refill from the model's signals. The implementation is split by area: layout,
// actions and menus, file commands, lists, map, placement, rotation, type and flags, object list.
class TQarnForm : public QWidget, private MapEditor, private MapHost {
  Q_OBJECT

 public:
  explicit TQarnForm(std::unique_ptr<FormDialogs> dialogs = nullptr, QImage map = QImage(),
                     QWidget* parent = nullptr);
  ~TQarnForm() override;

  // Loads a file as Load does, without the dialog; false (after showing the message) on failure.
  bool LoadFile(const QString& path);
  // Shows one message box; before the window is on the screen, once it is.
  void ReportError(const QString& message);
  // Runs a handler; the program's errors show one message and the program goes on.
  void Guard(const std::function<void()>& handler) override;

  PathSetDocument& Model() { return *model_; }
  const tHeader& Document() const { return model_->Document(); }
  const QImage& MapImage() const { return map_.Image(); }
  const MapTransform& Transform() const override { return transform_; }
  // The map's picture and calibration choices, with their actions.
  MapChoice& Maps() { return *mapChoice_; }
  UndoHistory& UndoStack() { return model_->History(); }
  bool IsModified() const { return model_->IsModified(); }
  QString DocumentName() const { return model_->DisplayName(); }
  // The file the document was loaded from or last saved to; empty for a new document.
  const QString& DocumentPath() const { return model_->Path(); }
  int RefreshDepth() const { return refreshDepth_; }
  const DiskChangeGuard& DiskGuard() const;
  // Opens a recovery copy as a modified document that saves to `documentPath`; false (after any
  // message) when the copy cannot be read or the user keeps the open document.
  // `then` is what the file was when the copy was made, when known.
  bool OpenRecovered(const QString& copyPath, const QString& documentPath,
                     std::optional<DiskSnapshot> then = std::nullopt);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  friend class CommandActions;
  friend class FileCommands;
  static constexpr int kNameColumnWidth = 192;  // designed; a longer name widens the column

  // --- layout (form_layout.cpp)
  void BuildControls();
  void BuildBottomBar();
  void BuildRightColumn();
  void BuildEditPanel();
  void BuildTypeAndListButtons();
  void BuildDirectionPad();
  void BuildRotationGroups();
  void BuildPositionFields();
  void BuildFlagControls();
  void BuildCalibrationBlock();
  void SetTabOrder();
  void LayOutContainers();
  void LayOutRightColumn(int columnHeight);
  void Loaded();
  QToolButton* GlyphButton(QWidget* parent, const QString& name, int left, int top, Glyph glyph,
                           const QString& tip);
  void GlyphButtons(QWidget* parent, std::initializer_list<GlyphPlace> places);
  TFloatEdit* FloatField(const FieldPlace& place);
  TIntegerEdit* IntegerField(const FieldPlace& place);

  // --- following the document model (form_model_view.cpp)
  void FollowModel();
  void ShowReplacedDocument();
  void ShowCurrentObject(int object);
  void ShowNoObject();
  // Undo or redo; a type box that showed the object's name shows the name it has afterwards.
  void TakeHistoryStep(void (PathSetDocument::*step)());
  void UpdateStatus();
  void UpdateTitle();

  // --- lists and refresh (form_lists.cpp)
  void RefillObjectList();
  void RefreshObject(int n);
  void FillPointList(const tDesc& object);
  void ShowFlags(uint32_t flags);
  void NamesClick();
  void EntsClick();
  QString NamesCellText(int col, int row) const;
  QString NamesCellHint(int col, int row) const;
  QString EntsCellText(int col, int row) const;
  void SelectRowSilently(int row);

  // --- map view (form_map.cpp)
  void DrawAllPoints();
  void ShowMapChanges();
  void Button3Click();  // Points
  void PointerOver(std::optional<QPoint> pixel) override;
  void Pick(QPoint pixel) override;
  void Calibrate(float MapTransform::*parameter, long double step);
  void ShowCalibrationLabels();
  void ConnectCalibration();
  // The map's choices (MapHost)
  void ShowMap(QImage picture, const MapCalibration& calibration) override;
  void Recalibrate(const MapCalibration& calibration) override;
  const QImage& MapPristine() const override { return map_.Pristine(); }
  MapCalibration Calibration() const override { return transform_; }
  std::optional<QPointF> PointOne() const override;
  void Report(const QString& message) override { ReportError(message); }
  FormDialogs& Dialogs() override { return *dialogs_; }

  // --- editing on the map (form_map_edit.cpp)
  bool SelectNear(QPoint viewPixel, const ViewTransform& view) override;
  PathSetDocument& Editing() override { return *model_; }
  MapChange TurnTowards(QPointF point) override;
  void ShowHint(const QString& hint) override;
  int32_t DegreesTowards(QPointF point);
  void RevealPointOne();
  void ShowPoint(int k) override;
  void InsertPoint(std::optional<QPoint> pixel) override;
  void DeleteCurrentPoint();
  void MoveCurrentPointToFields();
  void MarkPoint(int k);

  // --- point placement and translation (form_placement.cpp)
  void SpeedButton4Click();  // set point 1
  void SpeedButton5Click();  // lay out
  void LayOutFromFields();
  LayoutFields LayoutFromFields();
  void MoveByStep(float ax, float ay, float az);
  void SpeedButton8Click();   // extend by one point
  void SpeedButton19Click();  // extend by a pair and lay out
  void SpeedButton17Click();  // remove the last point

  // --- rotation (form_rotation.cpp)
  void ApplyRotation();
  PlacementFields ShownPlacement();
  void ShowTurned(const PlacementFields& fields);
  // The fields with the pair's angle turned to `degrees`.
  PlacementFields TurnedPlacement(int32_t degrees);
  void StepRotation(int32_t pairStep, int32_t rowStep);

  // --- type and flags (form_type_flags.cpp)
  using TypeChange = void (TQarnForm::*)(const QString& text, int typingRun);
  void DTypChange(const QString& text, int typingRun = -1);
  // Whether the type box shows the selected object's name (as after typing it).
  bool TypeBoxShowsName() const;
  // Shows the selected object's name in the type box without running a command.
  void ShowNameInTypeBox();
  void SpeedButton21Click();  // type preset
  void HexTypChange(const QString& text, int typingRun = -1);
  void TypedChange(TypeChange change, const QString& text);
  void KeepingStoredFlags(const std::function<void()>& change);
  void SpeedButton18Click();  // apply HexEdit
  void ccClick();
  void ApplyHexFlags();
  void ConnectTypeAndFlags();
  void FillTypeLists();

  // --- object list commands (form_object_list.cpp)
  void SpeedButton1Click();  // add a copy
  void SpeedButton2Click();  // delete
  void SpeedButton3Click();  // continue the series
  void SpeedButton6Click();  // move up
  void SpeedButton7Click();  // move down
  // After an add, delete or continue: the cycle, then the new current object and its refresh.
  void FinishListChange(std::optional<int> row);
  void KeepMovedObjectSelected(std::optional<int> row);
  void AddCopiesOfSelected();
  void DeleteSelectedObjects();

  // --- copy and paste of objects (form_clipboard.cpp)
  bool TextFieldHasFocus() const;
  void CopyObject();
  void CutObject();
  void PasteObjects();

  std::unique_ptr<FormDialogs> dialogs_;
  PendingMessages* messages_ = nullptr;
  PathSetDocument* model_ = nullptr;
  CommandActions* actions_ = nullptr;
  FileCommands* files_ = nullptr;
  MapTransform transform_;
  MapPicture map_;
  std::unique_ptr<MarkPreview> preview_;
  MapChoice* mapChoice_ = nullptr;
  int refreshDepth_ = 0;
  bool namesClickSuppressed_ = false;
  bool entsClickSuppressed_ = false;  // the point list's row set by a command, not the user
  bool keepFocus_ = false;            // a refresh leaves the focus where the user is typing
  int typingRun_ = 0;
  bool scrolledAtStart_ = false;
  std::unique_ptr<NameWidths> nameWidths_;
  std::optional<QPoint> pointerPixel_;
  QString mapHint_;            // what a drag on the map would do, shown in the status line
  tDesc shownObject_;          // the object the point list shows, as the last refresh left it
  bool showsSeveral_ = false;  // the list and map mark more selected objects than the current

  // containers
  QMenuBar* menuBar_ = nullptr;
  QWidget* client_ = nullptr;  // everything below the menu bar, at its designed size
  QFrame* Panel1 = nullptr;
  QFrame* Panel2 = nullptr;
  ScrolledColumn* RightColumn = nullptr;  // holds Panel2
  QFrame* Panel3 = nullptr;
  QFrame* Panel4 = nullptr;
  QFrame* Panel5 = nullptr;
  MapView* ScrollBox1 = nullptr;
  MapCanvas* Image1 = nullptr;
  MagnifierView* Image2 = nullptr;
  tKvStringGrid* Names = nullptr;
  tKvStringGrid* Ents = nullptr;
  // bottom bar
  QPushButton* LoadButton = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QToolButton* UndoButton = nullptr;
  QToolButton* RedoButton = nullptr;
  StatusLine* StatusLabel = nullptr;
  ZoomControl* ZoomBox = nullptr;
  // edit panel
  QComboBox* DTyp = nullptr;
  QComboBox* HexTyp = nullptr;
  TFloatEdit* xEdit = nullptr;
  TFloatEdit* yEdit = nullptr;
  TFloatEdit* zEdit = nullptr;
  TFloatEdit* dxEdit = nullptr;
  TFloatEdit* dyEdit = nullptr;
  TFloatEdit* dzEdit = nullptr;
  TFloatEdit* XdxEdit = nullptr;
  TFloatEdit* XdyEdit = nullptr;
  TFloatEdit* XdzEdit = nullptr;
  TFloatEdit* mEdit = nullptr;
  TFloatEdit* Lenge = nullptr;
  TFloatEdit* XLenge = nullptr;
  TIntegerEdit* Rotation = nullptr;
  TIntegerEdit* XRotation = nullptr;
  TCharEdit* HexEdit = nullptr;
  std::array<QCheckBox*, 32> checkBoxes_{};     // c1 .. c32
  std::array<QLabel*, 4> calibrationLabels_{};  // Label1 .. Label4
  FormButtons buttons_;
};

}  // namespace qarn
