// The window on a 1920 x 1080 screen at the text scale ctest gives in QT_SCALE_FACTOR (twice,
// one and a half): it fits the screen, and every control can be reached, scrolled into view
// where the right column scrolls.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QStandardPaths>

#include "window/qarn_form.h"
#include "window/screen_fit.h"
#include "window/scrolled_column.h"

namespace qarn::testing {
namespace {

class ScaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FitToScreen(form);
    form.show();
  }
  // Where the control shows on the window once the column has scrolled to it.
  QRect Shown(QWidget* control) {
    if (column->isAncestorOf(control)) column->ShowWhole(control);
    return {control->mapTo(&form, QPoint()), control->size()};
  }
  // What of the window the user sees: all of it, but the column only through its viewport.
  bool Visible(QWidget* control, const QRect& shown) {
    if (!column->isAncestorOf(control)) return form.rect().contains(shown);
    const QRect view(column->viewport()->mapTo(&form, QPoint()), column->viewport()->size());
    // A list higher than the view shows its top part.
    return view.contains(shown.topLeft()) &&
           (shown.height() > view.height() || view.contains(shown));
  }

  TQarnForm form;
  ScrolledColumn* column = form.findChild<ScrolledColumn*>(QStringLiteral("RightColumn"));
};

TEST_F(ScaleTest, TheWindowFitsTheScreen) {
  const QSize screen = form.screen()->size();
  ASSERT_EQ(screen * form.devicePixelRatio(), QSize(1920, 1080)) << "the screen of the test";
  EXPECT_LE(form.width(), screen.width());
  EXPECT_LE(form.height() + 24, screen.height()) << "room for a title bar";
}

TEST_F(ScaleTest, EveryControlCanBeReached) {
  int controls = 0;
  for (QWidget* control : form.findChildren<QWidget*>()) {
    const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                           qobject_cast<QComboBox*>(control) ||
                           qobject_cast<QAbstractItemView*>(control) ||
                           (qobject_cast<QLineEdit*>(control) && !control->objectName().isEmpty());
    if (!isControl || !control->isVisibleTo(&form) || control->objectName().isEmpty()) continue;
    ++controls;
    EXPECT_TRUE(Visible(control, Shown(control))) << control->objectName().toStdString();
  }
  EXPECT_GT(controls, 80);
}

}  // namespace
}  // namespace qarn::testing

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
