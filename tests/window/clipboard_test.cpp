// Copy, cut and paste of objects with the keys, between forms and from text.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "document/path_set_codec.h"
#include "form_driver.h"
#include "window/object_clipboard.h"

namespace qarn::testing {
namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override { QGuiApplication::clipboard()->clear(); }
  static void Key(FormDriver& ui, Qt::Key key) {
    ui.Grid("Names")->setFocus();
    QTest::keyClick(ui.Grid("Names"), key, Qt::ControlModifier);
  }
  static std::vector<uint8_t> ObjectBytes(const tDesc& object) {
    tHeader doc;
    doc.InsertNew(1).Assign(object);
    return SerializeToBytes(doc);
  }
  FormDriver ui;
  tDesc a = MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, -0.0f)});
  tDesc b = MakeObject("str_lamp_post_s", {P(-100, 2, 50, 0x7317)});
  tDesc c = MakeObject("sp_jumptrailer_f", {P(5, 5, 5)});
};

TEST_F(ClipboardTest, CopyInOneWindowPasteAfterTheSelectedObjectInAnother) {
  ui.Load(ui.WriteFile("ab.pathset", MakeDocument({a, b})));
  ui.ClickRow("Names", 2);
  Key(ui, Qt::Key_C);
  FormDriver other;
  other.Load(other.WriteFile("ac.pathset", MakeDocument({a, c})));
  other.ClickRow("Names", 1);
  Key(other, Qt::Key_V);
  ASSERT_TRUE(other.dialogs().errors.isEmpty()) << other.dialogs().errors.join('\n').toStdString();
  ASSERT_EQ(other.doc().objectCount, 3u);
  EXPECT_EQ(ObjectBytes(other.doc().Object(2)), ObjectBytes(b)) << "every byte, -0 included";
  EXPECT_EQ(other.Grid("Names")->Row(), 2) << "the pasted object is selected";
  EXPECT_EQ(other.Column("Ents", 1), QStringList{"-100,00"});
  EXPECT_EQ(other.UndoSteps(), 1);
  other.Click("UndoButton");
  EXPECT_EQ(other.DocumentBytes(), SerializeToBytes(MakeDocument({a, c})));
}

TEST_F(ClipboardTest, TheClipboardHoldsToolJsonAsTextAndUnderItsOwnType) {
  ui.Load(ui.WriteFile("ab.pathset", MakeDocument({a, b})));
  ui.ClickRow("Names", 1);
  Key(ui, Qt::Key_C);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(data->hasFormat(ObjectClipboard::kMimeType));
  EXPECT_TRUE(data->text().contains("\"name\": \"giz_bridge01_l\""));
  EXPECT_EQ(data->data(ObjectClipboard::kMimeType), data->text().toUtf8());
}

TEST_F(ClipboardTest, CutIsOneStepAndPasteIntoAnEmptyWindowAppends) {
  ui.Load(ui.WriteFile("abc.pathset", MakeDocument({a, b, c})));
  ui.ClickRow("Names", 2);
  Key(ui, Qt::Key_X);
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(MakeDocument({a, c})));
  EXPECT_EQ(ui.UndoSteps(), 1);
  FormDriver empty;
  Key(empty, Qt::Key_V);
  ASSERT_EQ(empty.doc().objectCount, 1u);
  EXPECT_EQ(ObjectBytes(empty.doc().Object(1)), ObjectBytes(b));
  ui.Click("UndoButton");
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(MakeDocument({a, b, c})));
}

TEST_F(ClipboardTest, CuttingTheOnlyObjectCopiesItAndKeepsIt) {
  ui.Load(ui.WriteFile("a.pathset", MakeDocument({a})));
  ui.ClickRow("Names", 1);
  Key(ui, Qt::Key_X);
  EXPECT_EQ(ui.doc().objectCount, 1u);
  EXPECT_EQ(ObjectBytes(ObjectClipboard::Take().Object(1)), ObjectBytes(a));
}

TEST_F(ClipboardTest, APasteThatDoesNotFitChangesNothingAndSaysWhy) {
  tHeader big;
  for (int i = 0; i < 14; ++i) {
    big.InsertNew(i + 1) = MakeLine("full", kMaxPoints, P(1, 2, 3), P(1, 0, 0));
  }
  ui.Load(ui.WriteFile("big.pathset", big));  // 57972 bytes
  ui.ClickRow("Names", 14);
  Key(ui, Qt::Key_C);
  Key(ui, Qt::Key_V);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].startsWith("Nothing pasted"));
  EXPECT_TRUE(ui.dialogs().errors[0].contains("62112 bytes"))
      << ui.dialogs().errors[0].toStdString();
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(big));
  EXPECT_EQ(ui.UndoSteps(), 0);
}

TEST_F(ClipboardTest, TextThatIsNotObjectJsonChangesNothingAndSaysWhy) {
  ui.Load(ui.WriteFile("a.pathset", MakeDocument({a})));
  QGuiApplication::clipboard()->setText(
      R"({"name": "x", "headWord": "0", "trailerWord": "0", "points": [{"flags": "1"}]})");
  Key(ui, Qt::Key_V);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].contains("objects[0].points[0].x: missing"))
      << ui.dialogs().errors[0].toStdString();
  EXPECT_EQ(ui.doc().objectCount, 1u);
  EXPECT_EQ(ui.UndoSteps(), 0);
}

TEST_F(ClipboardTest, InAnEditFieldTheKeysEditText) {
  ui.Load(ui.WriteFile("ab.pathset", MakeDocument({a, b})));
  ui.ClickRow("Names", 1);
  ui.Type("xEdit", "12,5");
  ui.Line("xEdit")->selectAll();
  QTest::keyClick(ui.Line("xEdit"), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "12,5");
  QTest::keyClick(ui.Line("xEdit"), Qt::Key_End);
  QTest::keyClick(ui.Line("xEdit"), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ui.FieldText("xEdit"), "12,512,5");
  ui.Line("xEdit")->setReadOnly(true);  // a field that does not take the keys itself
  QTest::keyClick(ui.Line("xEdit"), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ui.doc().objectCount, 2u);
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
}

struct PastedText {
  const char* what;
  const char* text;
  int objects;         // objects pasted, or 0
  const char* reason;  // part of the message when nothing is pasted
};

class PastedTextTest : public ::testing::TestWithParam<PastedText> {};

TEST_P(PastedTextTest, IsReadOrRefusedWithTheReason) {
  QMimeData data;
  data.setText(QString::fromUtf8(GetParam().text));
  try {
    const tHeader objects = ObjectClipboard::FromMimeData(&data);
    EXPECT_EQ(static_cast<int>(objects.objectCount), GetParam().objects);
  } catch (const PasteError& error) {
    EXPECT_EQ(GetParam().objects, 0) << error.what();
    EXPECT_TRUE(QString(error.what()).contains(GetParam().reason)) << error.what();
  }
}

// Text longer than any path set's JSON is refused by its length, before it is parsed.
TEST(ClipboardLengthTest, TextLongerThanAnyPathSetIsRefusedByItsLength) {
  QMimeData data;
  data.setText(QString(9'500'000, ' ') + "[]");
  try {
    ObjectClipboard::FromMimeData(&data);
    ADD_FAILURE() << "pasted";
  } catch (const PasteError& error) {
    EXPECT_STREQ(error.what(),
                 "Nothing pasted: the clipboard holds 10 MB; objects of a path set "
                 "as JSON take at most 8 MB.");
  }
}

#define POINT R"({"flags": "0", "x": 1, "y": 2, "z": 3})"
#define OBJECT R"({"name": "a", "headWord": "0", "trailerWord": "0", "points": [)" POINT "]}"

INSTANTIATE_TEST_SUITE_P(
    Texts, PastedTextTest,
    ::testing::Values(
        PastedText{"a whole path set",
                   R"({"leadingWord": "5", "lastIndex": "1", "objects": [)" OBJECT "," OBJECT "]}",
                   2, ""},
        PastedText{"objects without header words", R"({"objects": [)" OBJECT "]}", 1, ""},
        PastedText{"a list of objects", "[" OBJECT "," OBJECT "," OBJECT "]", 3, ""},
        PastedText{"one object", "\n  " OBJECT "\n", 1, ""},
        PastedText{"a byte order mark in front", "\xEF\xBB\xBF" OBJECT, 1, ""},
        PastedText{"plain words", "giz_bridge01_l", 0, "not valid JSON at byte"},
        PastedText{"a cut-off object", R"({"name": "a", "points": [)", 0, "not valid JSON"},
        PastedText{"a key given twice", R"([{"name": "a", "name": "b", "points": []}])", 0,
                   "[0].name: the key is given twice"},
        PastedText{"a misspelt key", R"({"name": "a", "headword": "0", "points": []})", 0,
                   "objects[0].headword: unknown key"},
        PastedText{"no objects", R"({"objects": []})", 0, "holds no objects"},
        PastedText{"nothing", "   ", 0, "holds no text"}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

}  // namespace
}  // namespace qarn::testing
