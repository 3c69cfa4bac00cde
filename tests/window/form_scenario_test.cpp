// A small path set built from nothing with clicks and typing only, saved, and compared byte for
// byte with the same path set built by the editing operations alone.
#include <gtest/gtest.h>

#include <cmath>

#include "commands/object_list.h"
#include "commands/point_layout.h"
#include "commands/rotation.h"
#include "commands/type_and_flags.h"
#include "document/path_set_codec.h"
#include "form_driver.h"
#include "geometry/polar.h"

namespace qarn::testing {
namespace {

// What a float field shows back after the refresh or a command wrote the value into it.
Vec3 Shown(const Vec3& v) {
  return {FieldRoundTrip(v.x), FieldRoundTrip(v.y), FieldRoundTrip(v.z)};
}

Vec3 Difference(const tPoint& from, const tPoint& to) {
  return Shown({static_cast<long double>(to.x) - from.x, static_cast<long double>(to.y) - from.y,
                static_cast<long double>(to.z) - from.z});
}

// The layout fields as the refresh of the object leaves them.
LayoutFields FieldsAfterRefresh(const tDesc& object) {
  const tPoint& first = object.Point(1);
  LayoutFields fields;
  fields.base = Shown({first.x, first.y, first.z});
  if (object.pointCount >= 2) fields.pair = Difference(first, object.Point(2));
  if (object.pointCount >= 4) {
    fields.row = Difference(first, object.Point(3));
    fields.rowLength = FieldRoundTrip(std::hypot(fields.row.x, fields.row.z));
  }
  return fields;
}

// The offset the turning tools write for a length and an angle, as the layout reads it back.
Vec3 Turned(long double length, long double degrees, long double height) {
  const HorizontalOffset offset = OffsetFromPolar(length, degrees);
  return Shown({offset.dx, height, offset.dz});
}

// The same steps as the scenario below, on the records alone.
tHeader BuildWithTheOperations() {
  tHeader doc;
  AddObjectCopy(doc, 1);
  tDesc& bridge = doc.Object(1);
  SetObjectName(bridge, "giz_bridge01_l");
  SetPointOne(bridge, 1, {100, 0, -50});
  LayoutFields line = FieldsAfterRefresh(bridge);
  line.pair = {12, 0, 0};
  LayOutPoints(bridge, line);
  ExtendByOnePoint(bridge);
  ExtendByOnePoint(bridge);
  LayoutFields ladder = FieldsAfterRefresh(bridge);
  ladder.row = {0, 0, 20};
  LayOutPoints(bridge, ladder);
  LayoutFields turned = FieldsAfterRefresh(bridge);  // 12 at 0 degrees, rows 20 at 90
  turned.pair = Turned(12, 15, turned.pair.y);
  turned.row = Turned(20, 105, turned.row.y);
  LayOutPoints(bridge, turned);
  ApplyFlags(bridge, "7317");
  std::array<bool, 32> boxes = BoxesFromFlags(0x7317);
  boxes[31] = !boxes[31];  // c32
  ApplyFlags(bridge, FlagText(FlagsFromBoxes(boxes)));
  const int copy = AddObjectCopy(doc, 1);
  ShiftPoints(doc.Object(copy), 1, 0, 0, 50);
  const int next = *ContinueSeries(doc, copy);
  SetObjectName(doc.Object(next), "sp_ramp01_f");
  const int moved = *MoveObjectDown(doc, 1);
  tDesc& original = doc.Object(moved);
  ExtendByOnePoint(original);
  ExtendByOnePoint(original);
  LayOutPoints(original, FieldsAfterRefresh(original));
  return doc;
}

TEST(ScenarioTest, PathSetBuiltByHandEqualsTheOneBuiltByTheOperations) {
  FormDriver ui;
  ui.Click("SpeedButton1");  // a first object with two points
  ui.ChooseType(QStringLiteral("giz_bridge01_l"));
  ui.ClickRow("Ents", 1);
  ui.Type("xEdit", QStringLiteral("100"));
  ui.Type("zEdit", QStringLiteral("-50"));
  ui.Click("SpeedButton4");
  ui.Type("dxEdit", QStringLiteral("12"));
  ui.Type("dzEdit", QStringLiteral("0"));
  ui.Click("SpeedButton5");  // two points: one line
  ui.Click("SpeedButton8");
  ui.Click("SpeedButton8");
  ui.Type("XdxEdit", QStringLiteral("0"));
  ui.Type("XdzEdit", QStringLiteral("20"));
  ui.Click("SpeedButton20");  // point 3 lies apart from point 1: a ladder
  ui.Click("rotRightButton");
  ui.ChooseFlags(QStringLiteral("7317"));
  ui.ClickBox(32);
  ui.Click("SpeedButton1");  // a copy, selected
  ui.Type("mEdit", QStringLiteral("50"));
  ui.Click("eButton");
  ui.Click("SpeedButton3");  // the series goes on: object 3
  ui.ChooseType(QStringLiteral("sp_ramp01_f"));
  ui.ClickRow("Names", 1);
  ui.Click("SpeedButton7");
  ui.Click("SpeedButton19");
  const QString path = ui.TempPath("scenario.pathset");
  ui.Save(path);
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();

  ASSERT_TRUE(DegreesMode()) << "the refresh has switched the turning to degrees";
  const std::vector<uint8_t> expected = SerializeToBytes(BuildWithTheOperations());
  EXPECT_EQ(ui.ReadBytes(path), expected);
  EXPECT_EQ(ui.Column("Names", 1),
            QStringList({"giz_bridge01_l", "giz_bridge01_l", "sp_ramp01_f"}));
  EXPECT_EQ(ui.Grid("Names")->Row(), 2);
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 7);
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 15);
  EXPECT_EQ(ui.Integer("XRotation")->Value(), 105);
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("00007316"));
  EXPECT_FALSE(ui.form().IsModified());
}

}  // namespace
}  // namespace qarn::testing
