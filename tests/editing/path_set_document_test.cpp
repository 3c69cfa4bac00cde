// The document model without any widget: the selection through commands, undo and redo, the
// rollback of a failed command and the order of what it announces.
#include "editing/path_set_document.h"

#include <gtest/gtest.h>

#include <map>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "commands/object_list.h"
#include "document/errors.h"

namespace qarn {
namespace {

// A model holding `count` objects named "o1".."oN", loaded from a file; every signal it sends is
// written down in order.
class DocumentModelTest : public ::testing::Test {
 protected:
  void Open(int count) {
    tHeader doc;
    for (int n = 1; n <= count; ++n) {
      tDesc& object = doc.InsertNew(n);
      const std::string name = "o" + std::to_string(n);
      std::copy(name.begin(), name.end(), object.name.begin());
      object.pointCount = 1;
      object.Point(1) = tPoint{0, float(n), 0, 0};
    }
    model.SerializeAndParse();  // a state to be replaced
    const QString path = dir.filePath(QStringLiteral("doc.pathset"));
    model.EditDocument() = doc;
    model.SaveTo(path);
    model.Load(path);
    heard.clear();
    Listen();
  }
  void Listen() {
    if (listening) return;
    listening = true;
    QObject::connect(&model, &PathSetDocument::objectsChanged, [this] { heard << "objects"; });
    QObject::connect(&model, &PathSetDocument::currentObjectChanged,
                     [this](int n) { heard << QStringLiteral("current %1").arg(n); });
    QObject::connect(&model, &PathSetDocument::modifiedChanged,
                     [this](bool m) { heard << (m ? "modified" : "saved"); });
  }
  QStringList Names() const {
    QStringList names;
    for (const auto& object : model.Document().records) {
      names << QString::fromStdString(object->DisplayName());
    }
    return names;
  }
  // A list command as the window runs it: the command, the cycle, the row it leaves current.
  void RunListCommand(const char* name, std::optional<int> (*command)(tHeader&, int)) {
    model.RunCommand(QString::fromLatin1(name), [&] {
      const std::optional<int> row = command(model.EditDocument(), model.CurrentObjectNumber());
      if (!row) return;
      model.SerializeAndParse();
      model.SelectObject(*row);
    });
  }

  QTemporaryDir dir;
  PathSetDocument model;
  QStringList heard;
  bool listening = false;
};

struct SelectionCase {
  const char* command;
  std::optional<int> (*run)(tHeader&, int);
  int selectedBefore;
  int currentAfter;
  const char* namesAfter;
};

class SelectionThroughCommands : public DocumentModelTest,
                                 public ::testing::WithParamInterface<SelectionCase> {};

// Each command leaves its own object current; undo brings back the names and the object that was
// current before, redo those after.
TEST_P(SelectionThroughCommands, UndoAndRedoRestoreTheSelectionOfTheirStep) {
  const SelectionCase& c = GetParam();
  Open(4);
  model.SelectObject(c.selectedBefore);
  const QStringList before = Names();
  RunListCommand(c.command, c.run);
  EXPECT_EQ(model.CurrentObjectNumber(), c.currentAfter);
  EXPECT_EQ(Names().join(' '), QString::fromLatin1(c.namesAfter));
  EXPECT_EQ(model.Selected().objects, std::vector<int>{c.currentAfter});
  model.Undo();
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(model.CurrentObjectNumber(), c.selectedBefore);
  model.Redo();
  EXPECT_EQ(model.CurrentObjectNumber(), c.currentAfter);
  EXPECT_EQ(Names().join(' '), QString::fromLatin1(c.namesAfter));
}

std::optional<int> AddCopy(tHeader& doc, int row) {
  return AddObjectCopy(doc, row);
}

INSTANTIATE_TEST_SUITE_P(
    Model, SelectionThroughCommands,
    ::testing::Values(SelectionCase{"add", AddCopy, 2, 3, "o1 o2 o2 o3 o4"},
                      SelectionCase{"delete", DeleteObject, 2, 2, "o1 o3 o4"},
                      SelectionCase{"delete last", DeleteObject, 4, 3, "o1 o2 o3"},
                      SelectionCase{"up", MoveObjectUp, 3, 2, "o1 o3 o2 o4"},
                      SelectionCase{"down", MoveObjectDown, 1, 2, "o2 o1 o3 o4"}));

TEST_F(DocumentModelTest, AFailedCommandLeavesBytesSelectionAndHistoryAsTheyWere) {
  Open(3);
  model.SelectObject(2);
  const std::vector<uint8_t> bytes = model.Buffer().Image();
  heard.clear();
  EXPECT_THROW(model.RunCommand(QStringLiteral("half"),
                                [&] {
                                  model.EditDocument().Remove(1);
                                  model.SelectObjectQuietly(1);
                                  model.EditCycle();
                                  throw OverflowError("too long");
                                }),
               OverflowError);
  EXPECT_EQ(Names().join(' '), QStringLiteral("o1 o2 o3"));
  EXPECT_EQ(model.Buffer().Image(), bytes);
  EXPECT_EQ(model.CurrentObjectNumber(), 2);
  EXPECT_FALSE(model.History().canUndo());
  EXPECT_FALSE(model.IsModified());
  // the views followed the half command, then the rollback, and showed object 2 again
  EXPECT_EQ(heard, QStringList({"objects", "current 1", "objects", "current 2"}));
}

TEST_F(DocumentModelTest, ACommandAnnouncesTheObjectsThenTheCurrentObjectThenTheChange) {
  Open(2);
  model.RunCommand(QStringLiteral("rename"), [&] {
    model.CurrentObject().name[0] = 'x';
    model.EditCycle();
  });
  EXPECT_EQ(heard, QStringList({"objects", "current 1", "modified"}));
  model.Undo();
  EXPECT_EQ(heard.mid(3), QStringList({"objects", "current 1", "saved"}));
}

// A view that cannot show the step it is taken to still lets the history move on, and the
// failure reaches whoever asked for the undo.
TEST_F(DocumentModelTest, AViewFailingDuringUndoStillMovesTheHistory) {
  Open(2);
  RunListCommand("add", AddCopy);
  QObject::connect(&model, &PathSetDocument::currentObjectChanged,
                   [] { throw RangeCheckError("cannot be drawn"); });
  EXPECT_THROW(model.Undo(), RangeCheckError);
  EXPECT_EQ(Names().size(), 2);
  EXPECT_TRUE(model.History().canRedo());
}

TEST_F(DocumentModelTest, SelectionStaysWithinTheObjectsAfterLoadAndNew) {
  Open(5);
  model.SelectObject(5);
  Open(2);
  EXPECT_EQ(model.CurrentObjectNumber(), 2);
  model.New();
  EXPECT_EQ(model.CurrentObjectNumber(), 0);
  EXPECT_FALSE(model.HasCurrentObject());
  EXPECT_TRUE(model.Path().isEmpty());
  EXPECT_THROW(model.CurrentObject(), ListIndexError);
}

struct SelectCase {
  const char* name;
  std::function<void(PathSetDocument&)> act;
  std::vector<int> objects;
  int current;
};

void PrintTo(const SelectCase& c, std::ostream* out) {
  *out << c.name;
}

class SelectionOperations : public DocumentModelTest,
                            public ::testing::WithParamInterface<SelectCase> {};

// From object 2 of 5 alone.
TEST_P(SelectionOperations, LeaveTheseObjectsSelected) {
  Open(5);
  model.SelectObject(2);
  GetParam().act(model);
  EXPECT_EQ(model.Selected().objects, GetParam().objects);
  EXPECT_EQ(model.CurrentObjectNumber(), GetParam().current);
}

INSTANTIATE_TEST_SUITE_P(
    Model, SelectionOperations,
    ::testing::Values(
        SelectCase{"ToggleOn", [](PathSetDocument& m) { m.ToggleObject(4); }, {2, 4}, 4},
        SelectCase{"ToggleOff",
                   [](PathSetDocument& m) {
                     m.ToggleObject(4);
                     m.ToggleObject(4);
                   },
                   {2},
                   2},
        SelectCase{"ToggleOffTheCurrent",
                   [](PathSetDocument& m) {
                     m.ToggleObject(4);
                     m.ToggleObject(1);
                     m.ToggleObject(1);
                   },
                   {2, 4},
                   2},
        SelectCase{"TheOnlyOneStays", [](PathSetDocument& m) { m.ToggleObject(2); }, {2}, 2},
        SelectCase{"ExtendDown", [](PathSetDocument& m) { m.ExtendSelectionTo(4); }, {2, 3, 4}, 4},
        SelectCase{"ExtendUp", [](PathSetDocument& m) { m.ExtendSelectionTo(1); }, {1, 2}, 1},
        SelectCase{"All", [](PathSetDocument& m) { m.SelectAll(); }, {1, 2, 3, 4, 5}, 2},
        SelectCase{"ClickEndsIt",
                   [](PathSetDocument& m) {
                     m.SelectAll();
                     m.SelectObject(3);
                   },
                   {3},
                   3},
        SelectCase{
            "BeyondTheListIsIgnored", [](PathSetDocument& m) { m.ToggleObject(9); }, {2}, 2}),
    [](const ::testing::TestParamInfo<SelectCase>& info) { return info.param.name; });

// A change of several objects is one step; when one of them fails, none changes and the
// message names it.
TEST_F(DocumentModelTest, ChangeOfSeveralObjectsIsOneStepOrNone) {
  Open(3);
  model.SelectAll();
  const auto raise = [](float by) { return [by](tDesc& o) { o.Point(1).y += by; }; };
  model.RunCommand(QStringLiteral("raise"), [&] {
    model.ChangeSelected(raise(5));
    model.EditCycle();
  });
  EXPECT_EQ(model.History().count(), 1);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(model.Document().Object(n).Point(1).y, 5);
  try {
    model.RunCommand(QStringLiteral("fail"), [&] {
      model.ChangeSelected([](tDesc& o) {
        if (o.Point(1).x == 2) throw OverflowError("too high");
        o.Point(1).y = 0;
      });
    });
    FAIL() << "no error";
  } catch (const OverflowError& error) {
    EXPECT_NE(std::string(error.what()).find("object 2"), std::string::npos) << error.what();
  }
  EXPECT_EQ(model.Document().Object(1).Point(1).y, 5) << "the first object is back";
  model.Undo();
  EXPECT_EQ(model.Document().Object(3).Point(1).y, 0);
  EXPECT_EQ(model.Selected().objects, (std::vector<int>{1, 2, 3}));
}

TEST_F(DocumentModelTest, PreviewShowsTheChangedCopiesAndCommitIsOneStep) {
  Open(3);
  model.SelectObject(2);
  model.ToggleObject(3);
  std::vector<std::map<int, float>> shown;
  QObject::connect(&model, &PathSetDocument::previewChanged,
                   [&](const PathSetDocument::PreviewObjects& objects) {
                     std::map<int, float> x;
                     for (const auto& [n, object] : objects) x[n] = object.Point(1).x;
                     shown.push_back(x);
                   });
  const auto right = [](float by) { return [by](tDesc& o) { o.Point(1).x += by; }; };
  model.Preview(right(2));
  model.PreviewSelected(right(5));
  model.Preview([](tDesc&) { throw RangeCheckError("no"); });  // the preview stays
  const float x2 = model.Document().Object(2).Point(1).x;
  const float x3 = model.Document().Object(3).Point(1).x;
  EXPECT_EQ(shown, (std::vector<std::map<int, float>>{{{3, x3 + 2}}, {{2, x2 + 5}, {3, x3 + 5}}}));
  EXPECT_EQ(model.Document().Object(3).Point(1).x, x3) << "a preview changes nothing";
  model.CommitSelected(QStringLiteral("drag"), right(5));
  EXPECT_EQ(model.Document().Object(2).Point(1).x, x2 + 5);
  EXPECT_EQ(model.Document().Object(3).Point(1).x, x3 + 5);
  model.Commit(QStringLiteral("nudge"), right(1));
  EXPECT_EQ(model.Document().Object(3).Point(1).x, x3 + 6);
  EXPECT_EQ(model.Document().Object(2).Point(1).x, x2 + 5) << "Commit changes the current alone";
  EXPECT_EQ(model.History().count(), 2);
  model.Undo();
  model.Undo();
  EXPECT_EQ(model.Document().Object(2).Point(1).x, x2);
  EXPECT_EQ(model.Selected().objects, (std::vector<int>{2, 3}));
}

}  // namespace
}  // namespace qarn
