#pragma once

#include <QImage>
#include <QString>
#include <QUndoStack>
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
#include "window/snapshot_command.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace qarn {

class DialogPlaces;
class MagnifierView;
class NameWidths;
class PendingMessages;
class MapView;
class TCharEdit;
class TFloatEdit;
class TIntegerEdit;
class tKvStringGrid;
enum class Glyph;
struct FieldPlace;
struct GlyphPlace;
class StatusLine;

// The editor's one window: the map on the left, the object and point lists and the edit panel on
// the right, the file buttons at the bottom. It owns the document, the file buffer and the map.
// The implementation is split by area: layout, file commands, lists, map, placement, rotation,
// type and flags, object list, edit cycle.
class TQarnForm : public QWidget {
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
  QUndoStack& UndoStack() { return undoStack_; }
  bool IsModified() const { return !undoStack_.isClean(); }
  QString DocumentName() const;
  int RefreshDepth() const { return refreshDepth_; }

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
  // Commands of the same typing run (>= 0) that follow each other make one undo step.
  void RunCommand(const QString& name, const std::function<void()>& command, int typingRun = -1);
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
  void SelectRow(int row);
  void SelectRowSilently(int row);

  // --- map view (form_map.cpp)
  void DrawAllPoints();
  void Button3Click();  // Points
  void Image1MouseMove(QPoint pixel);
  void Image1MouseUp(QPoint pixel);
  void Calibrate(float MapTransform::*parameter, long double step);
  void ShowCalibrationLabels();
  void ConnectMap();

  // --- point placement and translation (form_placement.cpp)
  void SpeedButton4Click();  // set point 1
  void SpeedButton5Click();  // lay out
  void LayOutPoints();
  void ShiftPoints(float ax, float ay, float az);
  void SpeedButton8Click();   // extend by one point
  void SpeedButton19Click();  // extend by a pair and lay out
  void SpeedButton17Click();  // remove the last point
  void ConnectPlacement();

  // --- rotation (form_rotation.cpp)
  void ApplyRotation();
  void StepRotation(int32_t pairStep, int32_t rowStep);
  void ConnectRotation();

  // --- type and flags (form_type_flags.cpp)
  using TypeChange = void (TQarnForm::*)(const QString& text, int typingRun);
  void DTypChange(const QString& text, int typingRun = -1);
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
  QUndoStack undoStack_;
  QString documentPath_;
  std::unique_ptr<DialogPlaces> dialogPlaces_;
  std::unique_ptr<NameWidths> nameWidths_;
  std::optional<QPoint> pointerPixel_;
  tDesc shownObject_;  // the object the point list shows, as the last refresh left it

  // containers
  QFrame* Panel1 = nullptr;
  QFrame* Panel2 = nullptr;
  QFrame* Panel3 = nullptr;
  QFrame* Panel4 = nullptr;
  QFrame* Panel5 = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  MapView* Image1 = nullptr;
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
