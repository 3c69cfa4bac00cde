#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

namespace qarn {

class TQarnForm;

// Every command of the window as one QAction: its text, key, glyph, a tooltip that names the key,
// and an enabled state kept current from the document model. The glyph buttons, the push buttons
// and the menu bar show these actions, so a button, a menu entry and a key are one thing.
class CommandActions : public QObject {
  Q_OBJECT

 public:
  explicit CommandActions(TQarnForm& form);

  // Every action, in menu order.
  const QList<QAction*>& All() const { return all_; }
  // The menu bar with File, Edit, Object, View and Help.
  void FillMenuBar(QMenuBar* bar);
  // Looks at the document model again: which commands can run now.
  void UpdateStates();

 private:
  // Shows the undo or redo step on its command, when it is another than `shown`.
  static void ShowStep(QAction* action, const QString& verb, const QString& step,
                       std::optional<QString>& shown);
  struct Command {
    const char* name;  // the action's object name
    QString text;      // the menu entry, with its mnemonic
    QString tip;       // what it does; the glyph button's tooltip
    std::function<void()> run;
    QList<QKeySequence> keys = {};
    std::function<bool()> enabled = {};
    QToolButton* button = nullptr;
  };

  QAction* Add(Command command);
  // Another glyph button of the same command.
  void ShowAlsoOn(QAction* action, QToolButton* button);
  QList<QAction*> AddObjectCommands(std::initializer_list<struct ObjectCommand> commands);
  // Keys that belong to the object list and the map only: elsewhere the fields keep them.
  void KeepToListAndMap(QAction* action, bool pointList = false);
  void AddFileCommands();
  void AddEditCommands();
  void AddListCommands();
  void AddPlacementCommands();
  void AddPointCommands();
  void AddMoveCommands();
  void AddRotationCommands();
  void AddTypeAndFlagCommands();
  void AddViewCommands();
  void AddHelpCommands();
  QMenu* Menu(QMenuBar* bar, const QString& title, const QList<QList<QAction*>>& groups);
  void ShowShortcuts();

  TQarnForm& form_;
  QList<QAction*> all_;
  std::vector<std::pair<QAction*, std::function<bool()>>> states_;
  QList<QList<QAction*>> file_, edit_, object_, view_, help_;
  QList<QAction*> moves_, turns_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  std::optional<QString> undoShown_;  // the steps they show
  std::optional<QString> redoShown_;
  QAction* recent_ = nullptr;
  // Entries that name one object or, while several are selected, all of them.
  struct CountedText {
    QAction* action;
    QString one, several;
  };
  QList<CountedText> counted_;
  QWidget* shortcuts_ = nullptr;
};

}  // namespace qarn
