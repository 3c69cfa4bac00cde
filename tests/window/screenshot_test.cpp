// Writes pictures of the window into the build folder so anyone can look at the result.
#include <gtest/gtest.h>

#include <QDir>

#include "form_driver.h"
#include "window/map_canvas.h"
#include "window/map_view.h"

namespace qarn::testing {
namespace {

TEST(ScreenshotTest, WindowAfterLoadingTheExampleAndSelectingAnObject) {
  FormDriver ui;
  const QString example = QStringLiteral(QARN_SOURCE_DIR "/examples/demo.pathset");
  ui.Load(example);
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  ASSERT_GT(ui.doc().objectCount, 1u);
  const QString folder = QDir::current().filePath(QStringLiteral("screenshots"));
  QDir().mkpath(folder);
  const QImage loaded = ui.form().grab().toImage();
  EXPECT_EQ(ui.form().findChild<QWidget*>(QStringLiteral("ClientArea"))->size(), QSize(792, 573));
  EXPECT_EQ(loaded.size(), QSize(792, 573 + ui.MenuBarHeight()));
  EXPECT_TRUE(loaded.save(folder + QStringLiteral("/window-loaded.png")));
  ui.ClickRow("Names", 2);
  ui.ClickRow("Ents", 2);
  EXPECT_TRUE(ui.form().grab().toImage().save(folder + QStringLiteral("/window-selected.png")));
}

// The map zoomed to 200 % about the selected object's disc, as Ctrl+wheel over it does.
TEST(ScreenshotTest, WindowZoomedInOnTheSelectedObject) {
  FormDriver ui;
  ui.Load(QStringLiteral(QARN_SOURCE_DIR "/examples/demo.pathset"));
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  ui.ClickRow("Names", 2);
  auto* view = ui.form().findChild<MapView*>(QStringLiteral("ScrollBox1"));
  const tPoint& first = ui.doc().Object(2).Point(1);
  const QPoint disc = ui.form().Transform().PixelOf(first.x, first.z);
  view->SetScaleAbout(2.0, view->Canvas()->mapTo(view->viewport(), disc));
  EXPECT_EQ(view->Scale(), 2.0);
  const QString folder = QDir::current().filePath(QStringLiteral("screenshots"));
  QDir().mkpath(folder);
  EXPECT_TRUE(ui.form().grab().toImage().save(folder + QStringLiteral("/window-zoomed.png")));
}

}  // namespace
}  // namespace qarn::testing
