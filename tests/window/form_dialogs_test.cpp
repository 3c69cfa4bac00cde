// The platform's questions, answered from the keyboard as a user answers them.
#include "window/form_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace qarn::testing {
namespace {

struct KeyAnswer {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  FormDialogs::SaveAnswer answer;
};

class SaveQuestionTest : public ::testing::TestWithParam<KeyAnswer> {};

TEST_P(SaveQuestionTest, EachAnswerHasAKeyOfItsOwn) {
  QStringList captions;
  QTimer answerer;  // answers once the question shows
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    answerer.stop();
    for (QAbstractButton* button : box->buttons()) captions << button->text();
    QApplication::setActiveWindow(box);  // a key's shortcut works in the active window only
    QTest::keyClick(box, GetParam().key, GetParam().modifiers);
    // A key that answers nothing must not hang the test: the question is then closed unanswered.
    QTimer::singleShot(2000, box, [box] { box->reject(); });
  });
  answerer.start(10);
  QtFormDialogs dialogs;
  EXPECT_EQ(dialogs.AskSaveChanges(nullptr, QStringLiteral("demo.pathset")), GetParam().answer);
  EXPECT_EQ(captions.size(), 3);
  QSet<QChar> keys;
  for (const QString& caption : captions) {
    const qsizetype amp = caption.indexOf(QLatin1Char('&'));
    ASSERT_GE(amp, 0) << caption.toStdString();
    keys.insert(caption.at(amp + 1).toLower());
  }
  EXPECT_EQ(keys.size(), 3) << "mnemonics apart";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SaveQuestionTest,
    ::testing::Values(KeyAnswer{Qt::Key_S, Qt::AltModifier, FormDialogs::SaveAnswer::Save},
                      KeyAnswer{Qt::Key_D, Qt::AltModifier, FormDialogs::SaveAnswer::Discard},
                      KeyAnswer{Qt::Key_C, Qt::AltModifier, FormDialogs::SaveAnswer::Cancel},
                      KeyAnswer{Qt::Key_Escape, Qt::NoModifier, FormDialogs::SaveAnswer::Cancel},
                      KeyAnswer{Qt::Key_Return, Qt::NoModifier, FormDialogs::SaveAnswer::Save}));

}  // namespace
}  // namespace qarn::testing
