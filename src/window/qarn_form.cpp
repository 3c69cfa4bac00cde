#include "window/qarn_form.h"

#include <QCloseEvent>
#include <QFont>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>

#include "widgets/kv_string_grid.h"
#include "window/accessible_roles.h"
#include "window/change_announcer.h"
#include "window/dialog_places.h"
#include "window/map_view.h"
#include "window/name_widths.h"
#include "window/pending_messages.h"

namespace qarn {

namespace {

QImage ChosenMap(QImage map) {
  return map.isNull() ? MapPicture::BuiltInMap() : std::move(map);
}

}  // namespace

TQarnForm::TQarnForm(std::unique_ptr<FormDialogs> dialogs, QImage map, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtFormDialogs>()),
      buffer_(std::make_unique<FileBuffer>()),
      map_(ChosenMap(std::move(map))),
      undoStack_([this](const DocumentState& state) { RestoreState(state); }) {
  setObjectName(QStringLiteral("QarnForm"));
  setWindowTitle(QStringLiteral("QarnForm"));
  QFont font(QStringLiteral("Sans Serif"), 8);
  font.setStyleHint(QFont::SansSerif);
  setFont(font);
  setAutoFillBackground(true);
  messages_ = new PendingMessages(
      this, [this](const QString& message) { dialogs_->ShowError(this, message); });
  nameWidths_ = std::make_unique<NameWidths>();
  InstallAccessibleRoles();
  BuildControls();
  Loaded();
  FillTypeLists();
  InitDialogNames();
  ConnectAll();
  (new ChangeAnnouncer(this))->Watch(Panel3);
  resize(792, 573);
  LayOutContainers();
  UpdateUndoButtons();
}

TQarnForm::~TQarnForm() = default;

void TQarnForm::ConnectAll() {
  Names->OnClick = [this](tKvStringGrid*) { NamesClick(); };
  Ents->OnClick = [this](tKvStringGrid*) { EntsClick(); };
  ConnectFileCommands();
  ConnectMap();
  ConnectPlacement();
  ConnectRotation();
  ConnectTypeAndFlags();
  ConnectObjectList();
  ConnectShortcuts();
  ConnectWorkflow();
  connect(&undoStack_, &UndoHistory::indexChanged, this, [this] { UpdateUndoButtons(); });
  connect(&undoStack_, &UndoHistory::cleanChanged, this, [this] { UpdateUndoButtons(); });
}

void TQarnForm::ConnectShortcuts() {
  const auto bind = [this](const QKeySequence& keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, std::move(action));
  };
  bind(QKeySequence::Open, [this] { LoadButtonClick(); });
  bind(QKeySequence::Save, [this] { QuickSave(); });
  bind(QKeySequence(Qt::CTRL | Qt::Key_M), [this] { Button2Click(); });
  // A focused edit field claims these keys for its own text undo before the shortcut sees them.
  bind(QKeySequence::Undo, [this] { Guard([this] { undoStack_.undo(); }); });
  bind(QKeySequence::Redo, [this] { Guard([this] { undoStack_.redo(); }); });
  OnClick(UndoButton, [this] { undoStack_.undo(); });
  OnClick(RedoButton, [this] { undoStack_.redo(); });
}

void TQarnForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutContainers();
}

void TQarnForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (scrolledAtStart_) return;
  scrolledAtStart_ = true;
  // The map opens with its pixel (505, 525) at the top-left corner of the view.
  ScrollBox1->horizontalScrollBar()->setValue(505);
  ScrollBox1->verticalScrollBar()->setValue(525);
}

void TQarnForm::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  Guard([&] { mayClose = ConfirmDiscardChanges(); });
  if (mayClose) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace qarn
