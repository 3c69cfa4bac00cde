// A field with the kept frame pictures looks pixel for pixel like one that paints its frame.
#include "widgets/field_panel_style.h"

#include <gtest/gtest.h>

#include <QImage>

#include "edit_field_test_support.h"
#include "widgets/float_edit.h"

namespace qarn {
namespace {

struct FieldState {
  const char* name;
  int width;
  bool enabled;
  bool readOnly;
  bool focused;
};

class FieldPanelStyleTest : public ::testing::TestWithParam<FieldState> {
 protected:
  // The field on a window of its own, as the window's plain background shows it.
  QImage Picture(bool kept) {
    const FieldState& s = GetParam();
    QWidget window;
    window.setAutoFillBackground(true);
    window.resize(s.width + 16, 37);
    auto* field = new TFloatEdit(&window);
    field->setGeometry(8, 8, s.width, 21);
    field->SetValue(-445.5L);
    field->setEnabled(s.enabled);
    field->setReadOnly(s.readOnly);
    if (kept) FieldPanelStyle::Use(field);
    EXPECT_TRUE(Activate(window));
    if (s.focused) field->setFocus();
    QImage first = window.grab().toImage();
    // The second time the frame comes from the kept picture.
    EXPECT_EQ(window.grab().toImage(), first);
    return first;
  }
};

TEST_P(FieldPanelStyleTest, LooksLikeAFieldThatPaintsItsFrame) {
  QApplication::setCursorFlashTime(0);  // a cursor that does not blink between the pictures
  EXPECT_EQ(Picture(true), Picture(false));
}

INSTANTIATE_TEST_SUITE_P(States, FieldPanelStyleTest,
                         ::testing::Values(FieldState{"Plain", 72, true, false, false},
                                           FieldState{"Wide", 140, true, false, false},
                                           FieldState{"Disabled", 72, false, false, false},
                                           FieldState{"ReadOnly", 72, true, true, false},
                                           FieldState{"Focused", 72, true, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qarn
