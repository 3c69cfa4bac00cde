#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "document/file_buffer.h"
#include "document/path_set_records.h"
#include "map/map_picture.h"
#include "map/map_transform.h"
#include "window/form_buttons.h"
#include "window/form_dialogs.h"
#include "window/map_editor.h"
#include "window/recent_files.h"
#include "window/undo_history.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace qarn {

class DialogPlaces;
class MagnifierView;
class MapCanvas;
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

// The editor's one window: the map on the left, the object and point lists and the edit panel on
// the right, the file buttons at the bottom. It owns the document, the file buffer and the map.
// The implementation is split by area: layout, file commands, lists, map, placement, rotation,
// type and flags, object list, edit cycle.
class TQarnForm : public QWidget, private MapEditor {
  Q_OBJECT

 public:
  explicit TQarnForm(std::unique_ptr<FormDialogs> dialogs = nullptr, QImage map = QImage(),
                     QWidget* parent = nullptr);
  ~TQarnForm() override;

  // Loads a file as Load does, without the dialog; false (after showing the message) on failure.
  bool LoadFile(const QString& path);
  // Shows one message box; before the window is on the screen, once it is.
  void ReportError(const QString& message);

  const tHeader& Document() const { return document_; }
  const FileBuffer& Buffer() const { return *buffer_; }
  const QImage& MapImage() const { return map_.Image(); }
  const MapTransform& Transform() const { return transform_; }
  UndoHistory& UndoStack() { return undoStack_; }
  bool IsModified() const { return !undoStack_.isClean(); }
  QString DocumentName() const;
  // The file the document was loaded from or last saved to; empty for a new document.
  const QString& DocumentPath() const { return documentPath_; }
  int RefreshDepth() const { return refreshDepth_; }
  // Opens a recovery copy as a modified document that saves to `documentPath`; false (after any
  // message) when the copy cannot be read or the user keeps the open document.
  bool OpenRecovered(const QString& copyPath, const QString& documentPath);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
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
  void ConnectShortcuts();
  // Connects a glyph button built by the layout to its handler.
  void OnClick(QToolButton* button, std::function<void()> handler);

  // --- edit cycle, guard, undo (form_edit_cycle.cpp)
  // Runs a handler; the program's errors show one message and the program goes on.
  void Guard(const std::function<void()>& handler);
  // Runs a command that changes the document as one undoable step; on any failure the document,
  // the object list and the selection are restored to what they were before the command.
  // Consecutive commands with the same merge key form one step: the keystrokes of one typing
  // run (one visit to a text box) undo together.
  void RunCommand(const QString& name, const std::function<void()>& command,
                  int mergeKey = UndoHistory::kNoMerge);
  void EditCycle();
  void SerializeAndParse();
  DocumentState CurrentState() const;
  // Puts the document and the selection back without refreshing the fields.
  void RestoreDocument(const DocumentState& state);
  // Undo and redo: the document, the selection, and the lists, fields and marks to match.
  void RestoreState(const DocumentState& state);
  void RollBack(const DocumentState& before, bool refreshed);
  void UpdateStatus();
  void UpdateUndoButtons();
  // Where messages about the document, or its object n, say they are: "demo.pathset: object 3",
  // without the file while the document has none.
  std::string PlaceInDocument(int object = 0) const;

  // --- file commands (form_file_commands.cpp)
  void LoadButtonClick();
  void Button1Click();  // Save
  void Button2Click();  // Merge
  bool SaveTo(const QString& path);
  // Asks to save a modified document; false when the user cancels or the save fails.
  bool ConfirmDiscardChanges();
  void LoadFrom(const QString& path);
  void InitDialogNames();
  void ConnectFileCommands();
  void ConnectAll();

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
  tDesc& SelectedObject();
  int SelectedRow() const;
  void SelectRowSilently(int row);

  // --- map view (form_map.cpp)
  void DrawAllPoints();
  void ShowMapChanges();
  void Button3Click();  // Points
  void PointerOver(std::optional<QPoint> pixel) override;
  void Pick(QPoint pixel) override;
  void Calibrate(float MapTransform::*parameter, long double step);
  void ShowCalibrationLabels();
  void ConnectMap();

  // --- editing on the map: select, drag to move, drag to turn (form_map_edit.cpp)
  bool SelectNear(QPoint viewPixel, const ViewTransform& view) override;
  void BeginPreview() override;
  void CancelPreview() override;
  void PreviewMove(QPoint offset) override;
  void FinishMove(QPoint offset) override;
  void PreviewTurn(QPointF point) override;
  void FinishTurn(QPointF point) override;
  Vec3 WorldOffset(QPoint offset) const;
  int32_t DegreesTowards(QPointF point);
  void ShowPreview(const std::function<void(tDesc&)>& change);
  void RevealPointOne();

  // --- point placement and translation (form_placement.cpp)
  void SpeedButton4Click();  // set point 1
  void SpeedButton5Click();  // lay out
  void LayOutPoints();
  LayoutFields LayoutFromFields();
  void ShiftPoints(float ax, float ay, float az);
  void SpeedButton8Click();   // extend by one point
  void SpeedButton19Click();  // extend by a pair and lay out
  void SpeedButton17Click();  // remove the last point
  void ConnectPlacement();

  // --- rotation (form_rotation.cpp)
  void ApplyRotation();
  // The layout the apply button would lay out with this angle in Rotation, for a preview (the
  // offsets not rounded through their fields' text).
  LayoutFields TurnedLayout(int32_t degrees);
  void StepRotation(int32_t pairStep, int32_t rowStep);
  void ConnectRotation();

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
  void ApplyFlags();
  void ConnectTypeAndFlags();
  void FillTypeLists();

  // --- object list commands (form_object_list.cpp)
  void SpeedButton1Click();  // add a copy
  void SpeedButton2Click();  // delete
  void SpeedButton3Click();  // continue the series
  void SpeedButton6Click();  // move up
  void SpeedButton7Click();  // move down
  void ConnectObjectList();
  void SelectAndRefresh(int row);
  // After an add, delete or continue: the cycle, then the new current row and its refresh.
  void FinishListChange(std::optional<int> row);
  void FinishMove(std::optional<int> row);

  // --- quick save, recent files, dropped files (form_workflow.cpp, form_recent_files.cpp)
  void ConnectWorkflow();
  void QuickSave();
  // Load and Merge without their dialog.
  void OpenFile(const QString& path);
  void MergeFiles(const QStringList& paths);
  void ShowLoaded(tHeader loaded, const QString& path);
  void ShowRecentFiles(QPoint at);
  void FillRecentMenu();
  // --- copy and paste of objects (form_clipboard.cpp)
  bool TextFieldHasFocus() const;
  void CopyObject();
  void CutObject();
  void PasteObjects();

  std::unique_ptr<FormDialogs> dialogs_;
  PendingMessages* messages_ = nullptr;
  tHeader document_;
  std::unique_ptr<FileBuffer> buffer_;
  MapTransform transform_;
  MapPicture map_;
  int refreshDepth_ = 0;
  int commandDepth_ = 0;
  int editCycles_ = 0;
  bool namesClickSuppressed_ = false;
  bool keepFocus_ = false;  // a refresh leaves the focus where the user is typing
  int typingRun_ = 0;
  bool scrolledAtStart_ = false;
  UndoHistory undoStack_;
  QString documentPath_;
  std::unique_ptr<DialogPlaces> dialogPlaces_;
  std::unique_ptr<NameWidths> nameWidths_;
  std::optional<QPoint> pointerPixel_;
  MarkList marksBeforeDrag_;
  QString mapHint_;    // what a drag on the map would do, shown in the status line
  tDesc shownObject_;  // the object the point list shows, as the last refresh left it
  RecentFiles recentFiles_;
  QMenu* recentMenu_ = nullptr;

  // containers
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
