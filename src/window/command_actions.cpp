#include "window/command_actions.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "widgets/kv_string_grid.h"
#include "window/file_commands.h"
#include "window/map_choice.h"
#include "window/map_view.h"
#include "window/program_identity.h"
#include "window/qarn_form.h"
#include "window/shortcuts_window.h"

namespace qarn {

namespace {

// "Add a copy of the selected object (Ctrl+D)": a tooltip names the command's key.
QString TipWithKey(const QString& tip, const QKeySequence& key) {
  if (key.isEmpty()) return tip;
  return QStringLiteral("%1 (%2)").arg(tip, key.toString(QKeySequence::NativeText));
}

// "Undo Move points": the entry names the step it would take back or do again.
QString StepText(const QString& action, const QString& step) {
  return step.isEmpty() ? action : action + QLatin1Char(' ') + step;
}

QList<QKeySequence> Keys(QKeyCombination key) {
  return {QKeySequence(key)};
}

// Every key the platform gives the standard command, Ctrl+Shift+Z and Ctrl+Y for Redo say.
QList<QKeySequence> Keys(QKeySequence::StandardKey key) {
  return QKeySequence::keyBindings(key);
}

// Desktops without a standard key for Quit still get the usual one.
QList<QKeySequence> QuitKeys() {
  const QList<QKeySequence> keys = Keys(QKeySequence::Quit);
  return keys.isEmpty() ? Keys(Qt::CTRL | Qt::Key_Q) : keys;
}

}  // namespace

CommandActions::CommandActions(TQarnForm& form) : QObject(&form), form_(form) {
  AddFileCommands();
  AddEditCommands();
  AddListCommands();
  AddTypeAndFlagCommands();
  AddPlacementCommands();
  AddMoveCommands();
  AddRotationCommands();
  AddViewCommands();
  AddHelpCommands();
  PathSetDocument* model = form_.model_;
  for (auto signal : {&PathSetDocument::objectsChanged, &PathSetDocument::documentReplaced,
                      &PathSetDocument::historyChanged}) {
    connect(model, signal, this, &CommandActions::UpdateStates);
  }
  connect(model, &PathSetDocument::currentObjectChanged, this, &CommandActions::UpdateStates);
  connect(model, &PathSetDocument::pathChanged, this, &CommandActions::UpdateStates);
  UpdateStates();
}

QAction* CommandActions::Add(Command command) {
  auto* action = new QAction(command.text, &form_);
  action->setObjectName(QString::fromLatin1(command.name));
  action->setShortcuts(command.keys);
  action->setToolTip(TipWithKey(command.tip, action->shortcut()));
  action->setStatusTip(command.tip);
  connect(action, &QAction::triggered, &form_,
          [this, run = std::move(command.run)] { form_.Guard(run); });
  if (command.button) {
    action->setIcon(command.button->icon());
    const QString spoken = command.button->accessibleName();
    command.button->setDefaultAction(action);
    command.button->setAccessibleName(spoken);
  }
  form_.addAction(action);
  if (command.enabled) states_.emplace_back(action, std::move(command.enabled));
  all_.append(action);
  return action;
}

void CommandActions::ShowAlsoOn(QAction* action, QToolButton* button) {
  const QString spoken = button->accessibleName();
  button->setDefaultAction(action);
  button->setAccessibleName(spoken);
}

void CommandActions::KeepToListAndMap(QAction* action, bool pointList) {
  form_.removeAction(action);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  form_.Names->addAction(action);
  form_.ScrollBox1->addAction(action);
  if (pointList) form_.Ents->addAction(action);
}

// Every click in the lists asks each command again; most answers are the same, and telling Qt
// the same state again still costs it a walk over the action's widgets.
void CommandActions::UpdateStates() {
  for (const auto& [action, enabled] : states_) {
    if (const bool now = enabled(); now != action->isEnabled()) action->setEnabled(now);
  }
  const bool several = form_.model_->Selected().objects.size() > 1;
  for (const CountedText& c : counted_) c.action->setText(several ? c.several : c.one);
  UndoHistory& history = form_.model_->History();
  ShowStep(undo_, QStringLiteral("Undo"), history.undoText(), undoShown_);
  ShowStep(redo_, QStringLiteral("Redo"), history.redoText(), redoShown_);
}

void CommandActions::ShowStep(QAction* action, const QString& verb, const QString& step,
                              std::optional<QString>& shown) {
  if (shown == step) return;
  shown = step;
  action->setText(StepText(QLatin1Char('&') + verb, step));
  action->setToolTip(TipWithKey(StepText(verb, step), action->shortcut()));
}

void CommandActions::AddFileCommands() {
  TQarnForm& f = form_;
  PathSetDocument* m = f.model_;
  QAction* fresh = Add({"actionNew", QStringLiteral("&New"), QStringLiteral("Start a new path set"),
                        [&f] { f.files_->NewDocument(); }, Keys(QKeySequence::New)});
  QAction* load = Add({"actionLoad", QStringLiteral("&Load..."), QStringLiteral("Load a path set"),
                       [&f] { f.files_->LoadButtonClick(); }, Keys(QKeySequence::Open)});
  recent_ = Add({"actionRecentFiles", QStringLiteral("Recent &Files"),
                 QStringLiteral("Open one of the last files opened or saved"),
                 [&f] {
                   f.files_->ShowRecentFiles(
                       f.LoadButton->mapToGlobal(f.LoadButton->rect().bottomLeft()));
                 },
                 Keys(Qt::CTRL | Qt::Key_R)});
  QAction* merge = Add({"actionMerge", QStringLiteral("&Merge..."),
                        QStringLiteral("Merge a path set into this one"),
                        [&f] { f.files_->Button2Click(); }, Keys(Qt::CTRL | Qt::Key_M)});
  QAction* save = Add({"actionSave", QStringLiteral("&Save"),
                       QStringLiteral("Save to the open file (asks for a name when there is none)"),
                       [&f] { f.files_->QuickSave(); }, Keys(QKeySequence::Save)});
  QAction* saveAs =
      Add({"actionSaveAs", QStringLiteral("Save &As..."),
           QStringLiteral("Save under a name you choose"), [&f] { f.files_->Button1Click(); },
           Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
  QAction* revert = Add({"actionRevert",
                         QStringLiteral("Re&vert to Saved"),
                         QStringLiteral("Read the open file again, without the unsaved changes"),
                         [&f] { f.files_->RevertToSaved(); },
                         {},
                         [m] { return !m->Path().isEmpty(); }});
  QAction* quit = Add({"actionQuit", QStringLiteral("&Quit"), QStringLiteral("Close the editor"),
                       [&f] { f.close(); }, QuitKeys()});
  file_ = {{fresh, load, recent_, merge}, {save, saveAs, revert}, {quit}};
  const std::pair<QPushButton*, QAction*> buttons[] = {
      {f.LoadButton, load}, {f.Button1, saveAs}, {f.Button2, merge}};
  for (const auto& [button, action] : buttons) {
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    button->setToolTip(action->toolTip());
  }
  f.LoadButton->setToolTip(load->toolTip() + QStringLiteral("; recent files: right-click or ") +
                           recent_->shortcut().toString(QKeySequence::NativeText));
}

void CommandActions::AddEditCommands() {
  TQarnForm& f = form_;
  PathSetDocument* m = f.model_;
  const auto hasObject = [m] { return m->HasCurrentObject(); };
  undo_ = Add({"actionUndo", QStringLiteral("&Undo"), QStringLiteral("Undo"),
               [&f] { f.TakeHistoryStep(&PathSetDocument::Undo); }, Keys(QKeySequence::Undo),
               [m] { return m->History().canUndo(); }, f.UndoButton});
  redo_ = Add({"actionRedo", QStringLiteral("&Redo"), QStringLiteral("Redo"),
               [&f] { f.TakeHistoryStep(&PathSetDocument::Redo); }, Keys(QKeySequence::Redo),
               [m] { return m->History().canRedo(); }, f.RedoButton});
  QAction* cut = Add({"actionCut", QStringLiteral("Cu&t Object"),
                      QStringLiteral("Cut the selected object to the clipboard"),
                      [&f] { f.CutObject(); }, Keys(QKeySequence::Cut), hasObject});
  QAction* copy = Add({"actionCopy", QStringLiteral("&Copy Object"),
                       QStringLiteral("Copy the selected object to the clipboard"),
                       [&f] { f.CopyObject(); }, Keys(QKeySequence::Copy), hasObject});
  QAction* paste = Add({"actionPaste", QStringLiteral("&Paste Objects"),
                        QStringLiteral("Paste the objects on the clipboard after the selected one"),
                        [&f] { f.PasteObjects(); }, Keys(QKeySequence::Paste)});
  edit_ = {{undo_, redo_}, {cut, copy, paste}};
  counted_ << CountedText{cut, cut->text(), QStringLiteral("Cu&t Objects")}
           << CountedText{copy, copy->text(), QStringLiteral("&Copy Objects")};
}

void CommandActions::AddListCommands() {
  TQarnForm& f = form_;
  PathSetDocument* m = f.model_;
  const FormButtons& b = f.buttons_;
  const auto count = [m] { return static_cast<int>(m->Document().records.size()); };
  QAction* add =
      Add({"actionAddCopy", QStringLiteral("&Add a Copy"),
           QStringLiteral("Add a copy of the selected object"), [&f] { f.SpeedButton1Click(); },
           Keys(Qt::CTRL | Qt::Key_D), [m, count] { return count() == 0 || m->HasCurrentObject(); },
           b.SpeedButton1});
  QAction* remove =
      Add({"actionDeleteObject", QStringLiteral("&Delete Object"),
           QStringLiteral("Delete the selected object"), [&f] { f.SpeedButton2Click(); },
           Keys(Qt::Key_Delete), [m, count] { return count() > 1 && m->HasCurrentObject(); },
           b.SpeedButton2});
  KeepToListAndMap(remove);
  counted_ << CountedText{remove, remove->text(), QStringLiteral("&Delete Objects")};
  QAction* series =
      Add({"actionContinueSeries",
           QStringLiteral("Continue the &Series"),
           QStringLiteral("Continue the series: add the next object in the same step"),
           [&f] { f.SpeedButton3Click(); },
           {},
           [m] { return m->HasCurrentObject() && m->CurrentObjectNumber() > 1; },
           b.SpeedButton3});
  QAction* up =
      Add({"actionMoveObjectUp", QStringLiteral("Move Object &Up"),
           QStringLiteral("Move the selected object up"), [&f] { f.SpeedButton6Click(); },
           Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Up),
           [m] { return m->HasCurrentObject() && m->CurrentObjectNumber() > 1; }, b.SpeedButton6});
  QAction* down =
      Add({"actionMoveObjectDown", QStringLiteral("Move Object Do&wn"),
           QStringLiteral("Move the selected object down"), [&f] { f.SpeedButton7Click(); },
           Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Down),
           [m, count] { return m->HasCurrentObject() && m->CurrentObjectNumber() < count(); },
           b.SpeedButton7});
  QAction* all =
      Add({"actionSelectAll", QStringLiteral("Select &All Objects"),
           QStringLiteral("Select every object"), [m] { m->SelectAll(); },
           Keys(QKeySequence::SelectAll), [m] { return !m->Document().records.empty(); }});
  KeepToListAndMap(all);
  edit_.append(QList<QAction*>{remove, all});
  object_.append(QList<QAction*>{add, series, up, down});
}

// Panel commands that act on the current object, each shown by its glyph button.
struct ObjectCommand {
  const char* name;
  const char* text;
  const char* tip;
  void (TQarnForm::*run)();
  QToolButton* FormButtons::*button;
};

QList<QAction*> CommandActions::AddObjectCommands(std::initializer_list<ObjectCommand> commands) {
  TQarnForm& f = form_;
  PathSetDocument* m = f.model_;
  QList<QAction*> added;
  for (const ObjectCommand& c : commands) {
    added << Add({c.name,
                  QString::fromUtf8(c.text),
                  QString::fromUtf8(c.tip),
                  [&f, run = c.run] { (f.*run)(); },
                  {},
                  [m] { return m->HasCurrentObject(); },
                  f.buttons_.*c.button});
  }
  return added;
}

void CommandActions::AddTypeAndFlagCommands() {
  object_.append(AddObjectCommands(
      {{"actionTypePreset", "Apply the &Type Preset", "Apply the layout preset of the type shown",
        &TQarnForm::SpeedButton21Click, &FormButtons::SpeedButton21},
       {"actionApplyFlags", "Set the &Flags", "Set every point's flags to the hexadecimal value",
        &TQarnForm::SpeedButton18Click, &FormButtons::SpeedButton18}}));
}

void CommandActions::AddPlacementCommands() {
  const QList<QAction*> placement = AddObjectCommands(
      {{"actionSetPointOne", "Set &Point 1", "Set point 1 from x, y, z",
        &TQarnForm::SpeedButton4Click, &FormButtons::SpeedButton4},
       {"actionLayOut", "&Lay Out the Points", "Lay the points out from the offsets",
        &TQarnForm::SpeedButton5Click, &FormButtons::SpeedButton5},
       {"actionExtend", "&Extend by One Point", "Extend the object by one point",
        &TQarnForm::SpeedButton8Click, &FormButtons::SpeedButton8},
       {"actionExtendPair", "Extend by a Pai&r and Lay Out",
        "Extend the object by a pair of points and lay out", &TQarnForm::SpeedButton19Click,
        &FormButtons::SpeedButton19},
       {"actionRemoveLastPoint", "Remove the Last P&oint", "Remove the last point",
        &TQarnForm::SpeedButton17Click, &FormButtons::SpeedButton17}});
  ShowAlsoOn(placement[1], form_.buttons_.SpeedButton20);  // the row's lay-out button
  object_.append(placement);
  AddPointCommands();
}

void CommandActions::AddPointCommands() {
  TQarnForm& f = form_;
  PathSetDocument* m = f.model_;
  const auto points = [m] { return m->HasCurrentObject() ? m->CurrentObject().pointCount : 0u; };
  QAction* insert = Add(
      {"actionInsertPoint", QStringLiteral("&Insert a Point"),
       QStringLiteral("Insert a point after the current point, halfway to the next (Alt+click or "
                      "Ctrl+Alt+click on the map: where clicked)"),
       [&f] { f.InsertPoint(std::nullopt); }, Keys(Qt::Key_Insert),
       [m, points] { return m->HasCurrentObject() && points() < kMaxPoints; }});
  QAction* remove = Add({"actionDeletePoint", QStringLiteral("Delete the Current Poi&nt"),
                         QStringLiteral("Delete the point chosen in the point list"),
                         [&f] { f.DeleteCurrentPoint(); }, Keys(Qt::CTRL | Qt::Key_Delete),
                         [points] { return points() > 1; }});
  QAction* move = Add({"actionMovePoint", QStringLiteral("Move the Current Point to &x, z"),
                       QStringLiteral("Move the point chosen in the point list to the x and z "
                                      "typed, as dragging it on the map would"),
                       [&f] { f.MoveCurrentPointToFields(); },
                       Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [points] { return points() > 0; }});
  KeepToListAndMap(insert, true);
  KeepToListAndMap(remove, true);
  object_.append(QList<QAction*>{insert, move, remove});
}

void CommandActions::AddMoveCommands() {
  TQarnForm& f = form_;
  PathSetDocument* m = f.model_;
  const FormButtons& b = f.buttons_;
  const struct {
    const char* name;
    const char* text;
    QToolButton* button;
    float ax, ay, az;
    QKeyCombination key;
  } moves[] = {
      {"actionMoveNorthWest", "Move Up and Left", b.nwButton, -1, 0, -1, Qt::ALT | Qt::Key_Home},
      {"actionMoveNorth", "Move Up", b.nButton, 0, 0, -1, Qt::ALT | Qt::Key_Up},
      {"actionMoveNorthEast", "Move Up and Right", b.neButton, 1, 0, -1, Qt::ALT | Qt::Key_PageUp},
      {"actionMoveWest", "Move Left", b.wButton, -1, 0, 0, Qt::ALT | Qt::Key_Left},
      {"actionMoveEast", "Move Right", b.eButton, 1, 0, 0, Qt::ALT | Qt::Key_Right},
      {"actionMoveSouthWest", "Move Down and Left", b.swButton, -1, 0, 1, Qt::ALT | Qt::Key_End},
      {"actionMoveSouth", "Move Down", b.sButton, 0, 0, 1, Qt::ALT | Qt::Key_Down},
      {"actionMoveSouthEast", "Move Down and Right", b.seButton, 1, 0, 1,
       Qt::ALT | Qt::Key_PageDown},
      {"actionMoveHigher", "Move Higher", b.UpButton, 0, 1, 0, Qt::ALT | Qt::SHIFT | Qt::Key_Up},
      {"actionMoveLower", "Move Lower", b.DownButton, 0, -1, 0,
       Qt::ALT | Qt::SHIFT | Qt::Key_Down}};
  for (const auto& move : moves) {
    QAction* action = Add({move.name, QString::fromLatin1(move.text), move.button->toolTip(),
                           [&f, move] { f.MoveByStep(move.ax, move.ay, move.az); }, Keys(move.key),
                           [m] { return m->HasCurrentObject(); }, move.button});
    KeepToListAndMap(action);
    moves_.append(action);
  }
}

void CommandActions::AddRotationCommands() {
  TQarnForm& f = form_;
  PathSetDocument* m = f.model_;
  const FormButtons& b = f.buttons_;
  const struct {
    const char* name;
    const char* text;
    QToolButton* button;
    int32_t pairStep, rowStep;
  } turns[] = {{"actionTurnLeft15", "Turn by -15°", b.rotLeftButton, -15, -15},
               {"actionTurnRight15", "Turn by +15°", b.rotRightButton, 15, 15},
               {"actionTurnRight1", "Turn by +1°", b.rotRightButton2, 1, 1},
               {"actionTurnLeft1", "Turn by -1°", b.rotLeftButton2, -1, -1},
               {"actionTurnRowsLeft15", "Turn the Rows by -15°", b.XrotLeftButton, 0, -15},
               {"actionTurnRowsRight15", "Turn the Rows by +15°", b.XrotRightButton, 0, 15},
               {"actionTurnRowsRight1", "Turn the Rows by +1°", b.XrotRightButton2, 0, 1},
               {"actionTurnRowsLeft1", "Turn the Rows by -1°", b.XrotLeftButton2, 0, -1}};
  for (const auto& turn : turns) {
    turns_.append(Add({turn.name,
                       QString::fromUtf8(turn.text),
                       turn.button->toolTip(),
                       [&f, turn] { f.StepRotation(turn.pairStep, turn.rowStep); },
                       {},
                       [m] { return m->HasCurrentObject(); },
                       turn.button}));
  }
  QAction* apply = Add({"actionApplyAngles",
                        QStringLiteral("Apply the Lengths and An&gles"),
                        QStringLiteral("Apply the lengths and angles typed"),
                        [&f] { f.StepRotation(0, 0); },
                        {},
                        [m] { return m->HasCurrentObject(); },
                        b.rotOkButton});
  ShowAlsoOn(apply, b.XrotOkButton);  // the rows' apply button is the same command
  turns_.append(apply);
}

void CommandActions::AddViewCommands() {
  TQarnForm& f = form_;
  MapView* view = f.ScrollBox1;
  QAction* in = Add({"actionZoomIn", QStringLiteral("Zoom &In"),
                     QStringLiteral("Zoom in about the view's centre"), [view] { view->ZoomIn(); },
                     Keys(QKeySequence::ZoomIn)});
  QAction* out = Add({"actionZoomOut", QStringLiteral("Zoom &Out"),
                      QStringLiteral("Zoom out about the view's centre"),
                      [view] { view->ZoomOut(); }, Keys(QKeySequence::ZoomOut)});
  QAction* actual = Add({"actionActualSize", QStringLiteral("&100 %"),
                         QStringLiteral("Show the map pixel for pixel"),
                         [view] { view->SetScale(1.0); }, Keys(Qt::CTRL | Qt::Key_0)});
  QAction* fit =
      Add({"actionFit", QStringLiteral("&Fit the Map"), QStringLiteral("Show the whole map"),
           [view] { view->Fit(); }, Keys(Qt::CTRL | Qt::Key_9)});
  // The keypad's plus and minus zoom too; one action each keeps every key unambiguous.
  const Qt::KeyboardModifiers keypad = Qt::ControlModifier | Qt::KeypadModifier;
  in->setShortcuts(in->shortcuts() << QKeySequence(QKeyCombination(keypad, Qt::Key_Plus)));
  out->setShortcuts(out->shortcuts() << QKeySequence(QKeyCombination(keypad, Qt::Key_Minus)));
  QAction* points = Add({"actionDrawAllPoints", QStringLiteral("Mark &All Points"),
                         QStringLiteral("Mark every point of every object"),
                         [&f] { f.Button3Click(); }, Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_A)});
  connect(f.Button3, &QPushButton::clicked, points, &QAction::trigger);
  f.Button3->setToolTip(points->toolTip());
  view_ = {{in, out, actual, fit}, {points}, f.mapChoice_->actions()};
}

void CommandActions::AddHelpCommands() {
  TQarnForm& f = form_;
  QAction* keys = Add({"actionShortcuts", QStringLiteral("&Keyboard Shortcuts"),
                       QStringLiteral("List every command with its key"),
                       [this] { ShowShortcuts(); }, Keys(QKeySequence::HelpContents)});
  QAction* about = Add({"actionAbout", QStringLiteral("&About Qarn"),
                        QStringLiteral("The program's version and licence"),
                        [&f] { f.dialogs_->ShowAbout(&f, AboutText()); }});
  help_ = {{keys, about}};
}

void CommandActions::ShowShortcuts() {
  if (!shortcuts_) shortcuts_ = new ShortcutsWindow(all_, &form_);
  shortcuts_->show();
  shortcuts_->raise();
  shortcuts_->activateWindow();
}

QMenu* CommandActions::Menu(QMenuBar* bar, const QString& title,
                            const QList<QList<QAction*>>& groups) {
  QMenu* menu = bar->addMenu(title);
  for (const QList<QAction*>& group : groups) {
    if (!menu->isEmpty()) menu->addSeparator();
    menu->addActions(group);
  }
  return menu;
}

void CommandActions::FillMenuBar(QMenuBar* bar) {
  QMenu* file = Menu(bar, QStringLiteral("&File"), file_);
  file->setObjectName(QStringLiteral("FileMenu"));
  auto* recentMenu = new QMenu(file);
  recentMenu->setObjectName(QStringLiteral("RecentFilesSubmenu"));
  recent_->setMenu(recentMenu);
  connect(recentMenu, &QMenu::aboutToShow, this,
          [this, recentMenu] { form_.files_->FillRecentMenu(recentMenu); });
  Menu(bar, QStringLiteral("&Edit"), edit_)->setObjectName(QStringLiteral("EditMenu"));
  QMenu* object = Menu(bar, QStringLiteral("&Object"), object_);
  object->setObjectName(QStringLiteral("ObjectMenu"));
  object->addSeparator();
  object->addMenu(QStringLiteral("&Move by the Step"))->addActions(moves_);
  object->addMenu(QStringLiteral("Tur&n"))->addActions(turns_);
  Menu(bar, QStringLiteral("&View"), view_)->setObjectName(QStringLiteral("ViewMenu"));
  Menu(bar, QStringLiteral("&Help"), help_)->setObjectName(QStringLiteral("HelpMenu"));
}

}  // namespace qarn
