// A glyph button follows every change of its command, whether only the enabled state changed or
// something it shows did.
#include "window/command_button.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionEvent>
#include <functional>

namespace qarn::testing {
namespace {

struct CommandChange {
  const char* name;
  std::function<void(QAction&)> change;
  std::function<bool(const QAction&, const QToolButton&)> shown;
};

class CommandButtonTest : public ::testing::TestWithParam<CommandChange> {};

TEST_P(CommandButtonTest, ShowsTheChange) {
  QAction action(QStringLiteral("&Move up"));
  action.setToolTip(QStringLiteral("Move up (Ctrl+Up)"));
  CommandButton button;
  button.setDefaultAction(&action);
  action.setEnabled(false);  // the first change takes the whole command over
  action.setEnabled(true);
  GetParam().change(action);
  EXPECT_TRUE(GetParam().shown(action, button));
  EXPECT_EQ(button.isEnabled(), action.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CommandButtonTest,
    ::testing::Values(
        CommandChange{"Disabled", [](QAction& a) { a.setEnabled(false); },
                      [](const QAction&, const QToolButton& b) { return !b.isEnabled(); }},
        CommandChange{"DisabledAndRenamed",
                      [](QAction& a) {
                        a.setEnabled(false);
                        a.setText(QStringLiteral("Move &down"));
                      },
                      [](const QAction&, const QToolButton& b) {
                        return b.text() == QStringLiteral("Move down");
                      }},
        CommandChange{
            "NewTip", [](QAction& a) { a.setToolTip(QStringLiteral("Up one row")); },
            [](const QAction& a, const QToolButton& b) { return b.toolTip() == a.toolTip(); }},
        CommandChange{
            "Checked",
            [](QAction& a) {
              a.setCheckable(true);
              a.setChecked(true);
            },
            [](const QAction&, const QToolButton& b) { return b.isCheckable() && b.isChecked(); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qarn::testing
