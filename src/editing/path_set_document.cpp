#include "editing/path_set_document.h"

#include <QFileInfo>
#include <QScopedValueRollback>
#include <algorithm>
#include <iterator>
#include <numeric>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "fileio/file_place.h"
#include "fileio/path_set_file.h"

namespace qarn {

namespace {

// Whether the document still serialises to these bytes; a document that cannot be serialised
// any more has certainly changed.
bool SerializesTo(const tHeader& doc, const std::vector<uint8_t>& bytes) {
  try {
    return SerializeToBytes(doc) == bytes;
  } catch (const QarnError&) {
    return false;
  }
}

int PointsOf(const tHeader& doc, int object) {
  if (object < 1 || object > static_cast<int>(doc.records.size())) return 0;
  return static_cast<int>(std::min<uint32_t>(doc.Object(object).pointCount, kMaxPoints));
}

}  // namespace

// Before the first file the lists show one empty row each, and that row is current.
PathSetDocument::PathSetDocument(QObject* parent)
    : QObject(parent),
      buffer_(std::make_unique<FileBuffer>()),
      history_([this](const DocumentState& state) { RestoreState(state); }),
      selection_{1, 1, {}} {
  connect(&history_, &UndoHistory::indexChanged, this, &PathSetDocument::historyChanged);
  connect(&history_, &UndoHistory::cleanChanged, this, [this](bool clean) {
    emit historyChanged();
    emit modifiedChanged(!clean);
  });
}

PathSetDocument::~PathSetDocument() = default;

QString PathSetDocument::DisplayName() const {
  return path_.isEmpty() ? QStringLiteral("untitled") : QFileInfo(path_).fileName();
}

std::string PathSetDocument::PlaceInDocument(int object) const {
  std::string place = path_.isEmpty() ? std::string() : FilePlace(path_);
  if (object == 0) return place;
  return (place.empty() ? "" : place + ": ") + "object " + std::to_string(object);
}

void PathSetDocument::SetPath(const QString& path) {
  if (path_ == path) return;
  path_ = path;
  emit pathChanged(path_);
}

void PathSetDocument::Replace(tHeader document, const QString& path) {
  document_ = std::move(document);
  SetPath(path);
  ClampSelection();
  history_.clear();
  emit documentReplaced();
}

void PathSetDocument::Load(const QString& path) {
  Replace(LoadPathSetFile(path, *buffer_), path);
}

void PathSetDocument::LoadRecovered(const QString& copyPath, const QString& path) {
  Replace(LoadPathSetFile(copyPath, *buffer_), path);
  history_.resetClean();  // modified, though nothing can be undone
}

void PathSetDocument::New() {
  SerializeDocument(tHeader{}, *buffer_);
  Replace(tHeader{}, QString());
}

void PathSetDocument::Merge(const QStringList& paths) {
  RunCommand(QStringLiteral("Merge"), [&] {
    for (const QString& path : paths) MergePathSetFile(path, *buffer_, document_);
    ClampSelection();
    emit objectsChanged();
  });
}

void PathSetDocument::SaveTo(const QString& path) {
  SerializeDocument(document_, *buffer_);
  WritePathSetFile(path, *buffer_);
  ParseBuffer(*buffer_, document_);
  emit objectsChanged();
  SetPath(path);
  history_.setClean();
}

bool PathSetDocument::HasCurrentObject() const {
  return selection_.current >= 1 &&
         selection_.current <= static_cast<int>(document_.records.size());
}

// Before the first file the empty row stays current; it holds no object to clamp to.
void PathSetDocument::SelectObjectQuietly(int object) {
  selection_ = Selection::Single(object, selection_.point);
  anchor_ = object;
  if (!document_.records.empty()) ClampSelection();
}

void PathSetDocument::SelectObject(int object) {
  SelectObjectQuietly(object);
  emit currentObjectChanged(selection_.current);
}

void PathSetDocument::ToggleObject(int object) {
  if (object < 1 || object > static_cast<int>(document_.records.size())) return;
  std::vector<int>& objects = selection_.objects;
  anchor_ = object;
  if (!selection_.Contains(object)) {
    objects.insert(std::lower_bound(objects.begin(), objects.end(), object), object);
    selection_.current = object;
  } else if (objects.size() > 1) {
    std::erase(objects, object);
    if (selection_.current == object) selection_.current = objects.front();
  }
  ClampSelection();
  emit currentObjectChanged(selection_.current);
}

void PathSetDocument::ExtendSelectionTo(int object) {
  const int count = static_cast<int>(document_.records.size());
  if (object < 1 || object > count) return;
  const int anchor = anchor_ >= 1 && anchor_ <= count ? anchor_ : object;
  selection_.objects.clear();
  for (int n = std::min(anchor, object); n <= std::max(anchor, object); ++n) {
    selection_.objects.push_back(n);
  }
  selection_.current = object;
  ClampSelection();
  emit currentObjectChanged(selection_.current);
}

void PathSetDocument::SelectAll() {
  const int count = static_cast<int>(document_.records.size());
  if (count == 0) return;
  selection_.objects.resize(static_cast<size_t>(count));
  std::iota(selection_.objects.begin(), selection_.objects.end(), 1);
  ClampSelection();
  emit currentObjectChanged(selection_.current);
}

void PathSetDocument::SelectObjects(std::vector<int> objects, int current) {
  const int count = static_cast<int>(document_.records.size());
  std::erase_if(objects, [count](int n) { return n < 1 || n > count; });
  std::sort(objects.begin(), objects.end());
  objects.erase(std::unique(objects.begin(), objects.end()), objects.end());
  if (objects.empty()) return;
  const auto among = [&](int n) { return std::binary_search(objects.begin(), objects.end(), n); };
  selection_.current = among(current)              ? current
                       : among(selection_.current) ? selection_.current
                                                   : objects.front();
  selection_.objects = std::move(objects);
  anchor_ = selection_.current;
  ClampSelection();
  emit currentObjectChanged(selection_.current);
}

void PathSetDocument::SetCurrentPoint(int point) {
  selection_.point = point;
}

// As the lists keep their current rows: within the rows there are, row 1 when rows appear, none
// while there are none.
void PathSetDocument::ClampSelection() {
  const int count = static_cast<int>(document_.records.size());
  if (count == 0) {
    selection_ = Selection{};
    return;
  }
  selection_.current = std::clamp(selection_.current, 1, count);
  std::erase_if(selection_.objects, [count](int n) { return n < 1 || n > count; });
  if (!selection_.Contains(selection_.current)) {
    selection_.objects.insert(
        std::lower_bound(selection_.objects.begin(), selection_.objects.end(), selection_.current),
        selection_.current);
  }
  const int points = PointsOf(document_, selection_.current);
  selection_.point = points == 0 ? 0 : std::clamp(selection_.point, 1, points);
}

void PathSetDocument::RunCommand(const QString& name, const std::function<void()>& command,
                                 int mergeKey) {
  if (commandDepth_ > 0) {  // part of a larger command: that one is the undo step
    command();
    return;
  }
  const QScopedValueRollback depth(commandDepth_, commandDepth_ + 1);
  const DocumentState before = CurrentState();
  const int cyclesBefore = editCycles_;
  try {
    command();
  } catch (...) {
    RollBack(before, editCycles_ != cyclesBefore);
    throw;
  }
  history_.push(name, before, CurrentState(), mergeKey);
}

void PathSetDocument::RollBack(const DocumentState& before, bool refreshed) {
  // A command refused before it changed anything leaves the lists as they are: refilling them
  // would, for one, drop the empty row the object list shows before the first load.
  if (!refreshed && selection_ == before.selection && SerializesTo(document_, before.bytes)) {
    return;
  }
  RestoreDocument(before);
  // The views show what they showed before, unless the command had already refreshed them.
  if (refreshed && HasCurrentObject()) emit currentObjectChanged(selection_.current);
}

void PathSetDocument::SerializeAndParse() {
  SerializeDocument(document_, *buffer_);
  ParseBuffer(*buffer_, document_);
  ClampSelection();
  ++editCycles_;
  emit objectsChanged();
}

void PathSetDocument::EditCycle() {
  SerializeAndParse();
  emit currentObjectChanged(selection_.current);
}

DocumentState PathSetDocument::CurrentState() const {
  return DocumentState{SerializeToBytes(document_), selection_};
}

void PathSetDocument::RestoreDocument(const DocumentState& state) {
  buffer_->SetImage(state.bytes);
  ParseBuffer(*buffer_, document_);
  selection_ = state.selection;
  emit objectsChanged();
}

// The history moves on whatever happens here; what went wrong is raised once it has.
void PathSetDocument::RestoreState(const DocumentState& state) {
  try {
    RestoreDocument(state);
    emit currentObjectChanged(selection_.current);
  } catch (...) {
    restoreError_ = std::current_exception();
  }
}

void PathSetDocument::Undo() {
  restoreError_ = nullptr;
  history_.undo();
  if (restoreError_) std::rethrow_exception(std::exchange(restoreError_, nullptr));
}

void PathSetDocument::Redo() {
  restoreError_ = nullptr;
  history_.redo();
  if (restoreError_) std::rethrow_exception(std::exchange(restoreError_, nullptr));
}

void PathSetDocument::Preview(const ObjectChange& change) {
  ShowPreview({selection_.current}, change);
}

void PathSetDocument::PreviewSelected(const ObjectChange& change) {
  ShowPreview(SelectedCurrentFirst(), change);
}

void PathSetDocument::ShowPreview(const std::vector<int>& objects, const ObjectChange& change) {
  try {
    PreviewObjects changed;
    for (const int n : objects) {
      tDesc object = document_.Object(n);
      change(object);
      changed.emplace(n, std::move(object));
    }
    emit previewChanged(changed);
  } catch (const std::exception&) {
    // Where the change cannot be made the preview stays where it last could.
  }
}

void PathSetDocument::EndPreview() {
  emit previewEnded();
}

std::vector<int> PathSetDocument::SelectedCurrentFirst() const {
  std::vector<int> objects{selection_.current};
  std::ranges::copy_if(selection_.objects, std::back_inserter(objects),
                       [this](int n) { return n != selection_.current; });
  return objects;
}

void PathSetDocument::ChangeSelected(const ObjectChange& change) {
  if (selection_.objects.size() <= 1) {
    change(CurrentObject());
    return;
  }
  // Of several objects the message names the one that failed.
  for (const int n : SelectedCurrentFirst()) {
    WithPlace([&] { return PlaceInDocument(n); }, [&] { change(document_.Object(n)); });
  }
}

void PathSetDocument::Commit(const QString& name, const ObjectChange& change) {
  EndPreview();
  RunCommand(name, [&] {
    change(CurrentObject());
    EditCycle();
  });
}

void PathSetDocument::CommitSelected(const QString& name, const ObjectChange& change) {
  EndPreview();
  RunCommand(name, [&] {
    ChangeSelected(change);
    EditCycle();
  });
}

}  // namespace qarn
