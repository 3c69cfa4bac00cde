#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "document/file_buffer.h"
#include "document/path_set_records.h"
#include "editing/selection.h"
#include "editing/undo_history.h"

namespace qarn {

// The open path set: its objects, the file buffer every change passes through, the undo history,
// the file it belongs to and whether that holds it, and the selection. Every change runs through
// RunCommand, the one edit cycle with rollback and undo; the window and its parts are views that
// follow the signals. Signals are delivered directly, so a view's failure to show a change (a
// point that cannot be drawn) reaches the command and rolls it back.
class PathSetDocument : public QObject {
  Q_OBJECT

 public:
  using ObjectChange = std::function<void(tDesc&)>;
  // The objects a preview shows changed, by number.
  using PreviewObjects = std::map<int, tDesc>;

  explicit PathSetDocument(QObject* parent = nullptr);
  ~PathSetDocument() override;

  const tHeader& Document() const { return document_; }
  // The path set for the command that RunCommand is running, and for nothing else.
  tHeader& EditDocument() { return document_; }
  const FileBuffer& Buffer() const { return *buffer_; }
  UndoHistory& History() { return history_; }

  // --- the file
  // The file the document was loaded from or last saved to; empty for a new document.
  const QString& Path() const { return path_; }
  // "demo.pathset", or "untitled".
  QString DisplayName() const;
  bool IsModified() const { return !history_.isClean(); }
  // Where messages about the document, or its object n, say they are: "demo.pathset: object 3",
  // without the file while the document has none.
  std::string PlaceInDocument(int object = 0) const;
  // The file is checked whole before anything of the open document changes.
  void Load(const QString& path);
  // A recovery copy as a modified document that belongs to `path` (empty: to no file yet).
  void LoadRecovered(const QString& copyPath, const QString& path);
  // An empty document without a file, as at start.
  void New();
  // Appends the files' objects as one undoable step.
  void Merge(const QStringList& paths);
  // Writes the document; it then belongs to `path` and counts as saved.
  void SaveTo(const QString& path);

  // --- the selection
  const Selection& Selected() const { return selection_; }
  int CurrentObjectNumber() const { return selection_.current; }
  // The current object; ListIndexError when there is none.
  tDesc& CurrentObject() { return document_.Object(selection_.current); }
  const tDesc& CurrentObject() const { return document_.Object(selection_.current); }
  bool HasCurrentObject() const;
  // Makes `object` the current and only selected object and has the views show it, even when it
  // was current already (the user asked to see it again).
  void SelectObject(int object);
  // The same without asking the views to show it: they show it when the command ends.
  void SelectObjectQuietly(int object);
  // Ctrl+click: the object joins the selection and becomes current, or leaves it (the only
  // selected object stays).
  void ToggleObject(int object);
  // Shift+click: every object from the one last clicked to this one, which becomes current.
  void ExtendSelectionTo(int object);
  void SelectAll();
  // Exactly these objects (any order); `current` becomes current when among them, else the
  // current object stays current when among them, else the first becomes current. Nothing
  // changes when none of them exists.
  void SelectObjects(std::vector<int> objects, int current = 0);
  void SetCurrentPoint(int point);

  // --- the edit cycle
  // Runs a command that changes the document as one undoable step; on any failure the document
  // and the selection are restored to what they were before it, and the error goes on. Commands
  // run with the same merge key join into one step (the keystrokes of one visit to a text box).
  void RunCommand(const QString& name, const std::function<void()>& command,
                  int mergeKey = UndoHistory::kNoMerge);
  // Serialises the document into the file buffer and parses it back; the lists follow.
  void SerializeAndParse();
  // The same, then the views show the current object again.
  void EditCycle();
  void Undo();
  void Redo();

  // --- previews of a change on the map, not yet part of the document
  // Shows the current object as the change would leave it; where the change cannot be made the
  // preview stays as it last could.
  void Preview(const ObjectChange& change);
  // The same for every selected object.
  void PreviewSelected(const ObjectChange& change);
  void EndPreview();
  // Applies the change to every selected object in turn, the current one first (it alone when
  // none is selected); with several a failure names the object. For a command run by RunCommand.
  void ChangeSelected(const ObjectChange& change);
  // The change applied to the current object as one command.
  void Commit(const QString& name, const ObjectChange& change);
  // The change applied to every selected object as one command.
  void CommitSelected(const QString& name, const ObjectChange& change);

 signals:
  // The objects changed: lists refill.
  void objectsChanged();
  // Show the current object again (fields, point list, marks), or that there is none.
  void currentObjectChanged(int object);
  // The whole document was replaced (load, new, recovery): everything shows it anew.
  void documentReplaced();
  void pathChanged(const QString& path);
  void modifiedChanged(bool modified);
  void historyChanged();
  void previewChanged(const PreviewObjects& objects);
  void previewEnded();

 private:
  DocumentState CurrentState() const;
  void RestoreState(const DocumentState& state);
  void RestoreDocument(const DocumentState& state);
  void RollBack(const DocumentState& before, bool refreshed);
  void ClampSelection();
  void Replace(tHeader document, const QString& path);
  void SetPath(const QString& path);
  void ShowPreview(const std::vector<int>& objects, const ObjectChange& change);
  std::vector<int> SelectedCurrentFirst() const;

  tHeader document_;
  std::unique_ptr<FileBuffer> buffer_;
  UndoHistory history_;
  QString path_;
  Selection selection_;
  int anchor_ = 0;  // where Shift+click extends from: the object last clicked alone or with Ctrl
  int commandDepth_ = 0;
  int editCycles_ = 0;
  std::exception_ptr restoreError_;
};

}  // namespace qarn
