#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <map>

#include "edit_field_test_support.h"
#include "widgets/char_edit.h"
#include "widgets/float_edit.h"
#include "widgets/integer_edit.h"

namespace qarn {
namespace {

// A shown, active form with two integer fields, a float field, a character field and a plain
// line edit, in this tab order. Enter and exit events are counted per field.
class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&form_);
    for (QWidget* w : {static_cast<QWidget*>(first_), static_cast<QWidget*>(second_),
                       static_cast<QWidget*>(real_), static_cast<QWidget*>(chars_),
                       static_cast<QWidget*>(plain_)}) {
      layout->addWidget(w);
    }
    for (TValidEdit* edit : {static_cast<TValidEdit*>(first_), static_cast<TValidEdit*>(second_),
                             static_cast<TValidEdit*>(real_), static_cast<TValidEdit*>(chars_)}) {
      edit->OnEnter = [this](TValidEdit* sender) { ++entered_[sender]; };
      edit->OnExit = [this](TValidEdit* sender) { ++exited_[sender]; };
    }
    ASSERT_TRUE(Activate(form_));
    first_->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(first_->hasFocus());
    entered_.clear();
  }

  static void ClickInto(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

  BeepCounter beeps_;
  QWidget form_;
  TIntegerEdit* first_ = new TIntegerEdit(&form_);
  TIntegerEdit* second_ = new TIntegerEdit(&form_);
  TFloatEdit* real_ = new TFloatEdit(&form_);
  TCharEdit* chars_ = new TCharEdit(&form_);
  QLineEdit* plain_ = new QLineEdit(&form_);
  std::map<TValidEdit*, int> entered_;
  std::map<TValidEdit*, int> exited_;
};

TEST_F(FocusTest, LeavingAValidFieldFiresOnExitAndEntersTheNext) {
  QTest::keyClick(first_, Qt::Key_Tab);
  EXPECT_TRUE(second_->hasFocus());
  EXPECT_EQ(exited_[first_], 1);
  EXPECT_EQ(entered_[second_], 1);
  EXPECT_EQ(beeps_.count(), 0);
}

TEST_F(FocusTest, TabbingOutOfAnInvalidIntegerBeepsAndKeepsTheFocus) {
  QTest::keyClick(first_, Qt::Key_End);  // the field shows its start: type after the 0
  QTest::keyClicks(first_, QStringLiteral("abc"));
  QTest::keyClick(first_, Qt::Key_Tab);
  EXPECT_TRUE(first_->hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), first_);
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_EQ(exited_[first_], 0);
  EXPECT_EQ(entered_[second_], 0);
  EXPECT_EQ(entered_[first_], 0);
  EXPECT_EQ(first_->text(), QStringLiteral("0abc"));
}

TEST_F(FocusTest, ClickingAwayFromAnInvalidIntegerBeepsAndKeepsTheFocus) {
  first_->setText(QStringLiteral("abc"));
  ClickInto(plain_);
  EXPECT_TRUE(first_->hasFocus());
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_EQ(exited_[first_], 0);
  QTest::keyClicks(first_, QStringLiteral("x"));
  EXPECT_EQ(first_->text(), QStringLiteral("abcx"));  // typing still reaches the field
  EXPECT_TRUE(plain_->text().isEmpty());
}

TEST_F(FocusTest, TheFieldCanBeLeftOnceTheEntryIsCorrected) {
  first_->setText(QStringLiteral("abc"));
  QTest::keyClick(first_, Qt::Key_Tab);
  ASSERT_TRUE(first_->hasFocus());
  first_->setText(QStringLiteral(" 12"));
  QTest::keyClick(first_, Qt::Key_Tab);
  EXPECT_TRUE(second_->hasFocus());
  EXPECT_EQ(first_->text(), QStringLiteral("12"));
  EXPECT_EQ(exited_[first_], 1);
  EXPECT_EQ(beeps_.count(), 1);
}

TEST_F(FocusTest, WithoutFocusOnInvalidTheFocusMovesOnButOnExitStaysQuiet) {
  first_->SetFocusOnInvalid(false);
  first_->setText(QStringLiteral("abc"));
  QTest::keyClick(first_, Qt::Key_Tab);
  EXPECT_TRUE(second_->hasFocus());
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_EQ(exited_[first_], 0);
  EXPECT_EQ(entered_[second_], 1);
}

TEST_F(FocusTest, AnEntryAcceptedByOnInvalidMayLeave) {
  first_->OnInvalid = [](TValidEdit*, bool& canLeave) { canLeave = true; };
  first_->setText(QStringLiteral("abc"));
  QTest::keyClick(first_, Qt::Key_Tab);
  EXPECT_TRUE(second_->hasFocus());
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_EQ(exited_[first_], 1);
}

TEST_F(FocusTest, EnteringAnInvalidIntegerBeepsAndStillEnters) {
  second_->setText(QStringLiteral("abc"));
  ClickInto(second_);
  EXPECT_TRUE(second_->hasFocus());
  EXPECT_EQ(beeps_.count(), 1);
  EXPECT_EQ(entered_[second_], 1);
}

TEST_F(FocusTest, EnteringANumericFieldTidiesItsText) {
  second_->setText(QStringLiteral(" $1F"));
  real_->setText(QStringLiteral("2.50"));
  QTest::keyClick(first_, Qt::Key_Tab);
  EXPECT_EQ(second_->text(), QStringLiteral("31"));
  QTest::keyClick(second_, Qt::Key_Tab);
  ASSERT_TRUE(real_->hasFocus());
  EXPECT_EQ(real_->Value(), 2.5L);
  EXPECT_EQ(beeps_.count(), 0);
}

TEST_F(FocusTest, TwoInvalidFieldsDoNotPullTheFocusFromEachOther) {
  first_->setText(QStringLiteral("abc"));
  second_->setText(QStringLiteral("xyz"));
  ClickInto(second_);
  QApplication::processEvents();
  EXPECT_TRUE(first_->hasFocus());
  EXPECT_EQ(beeps_.count(), 1);  // only the field being left complains
  QTest::keyClick(first_, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_TRUE(first_->hasFocus());
  EXPECT_EQ(beeps_.count(), 2);
  EXPECT_EQ(entered_[second_], 0);
}

TEST_F(FocusTest, AnInvalidFieldEnteredFromAnotherCanItselfBeLeftOnlyWhenCorrected) {
  second_->setText(QStringLiteral("xyz"));
  QTest::keyClick(first_, Qt::Key_Tab);  // entering beeps once
  ASSERT_TRUE(second_->hasFocus());
  ClickInto(first_);  // leaving beeps again and stays
  EXPECT_TRUE(second_->hasFocus());
  EXPECT_EQ(beeps_.count(), 2);
}

TEST_F(FocusTest, AFloatFieldRevertsBadTextAndLetsTheFocusGo) {
  real_->SetValue(3.25L);
  real_->setFocus(Qt::OtherFocusReason);
  real_->setText(QStringLiteral("1 000"));
  QTest::keyClick(real_, Qt::Key_Tab);
  EXPECT_TRUE(chars_->hasFocus());
  EXPECT_EQ(real_->Value(), 3.25L);
  EXPECT_EQ(exited_[real_], 1);
  EXPECT_EQ(beeps_.count(), 0);
}

TEST_F(FocusTest, ACharFieldOutsideItsClassesKeepsTheFocus) {
  chars_->SetCharSets(1u << TCharEdit::csNumber);
  chars_->setFocus(Qt::OtherFocusReason);
  QTest::keyClicks(chars_, QStringLiteral("12a"));
  QTest::keyClick(chars_, Qt::Key_Tab);
  EXPECT_TRUE(chars_->hasFocus());
  EXPECT_EQ(beeps_.count(), 1);
  QTest::keyClick(chars_, Qt::Key_Backspace);
  QTest::keyClick(chars_, Qt::Key_Tab);
  EXPECT_TRUE(plain_->hasFocus());
}

TEST_F(FocusTest, SwitchingWindowsNeitherLeavesNorEntersTheField) {
  first_->setText(QStringLiteral("abc"));
  QWidget other;
  ASSERT_TRUE(Activate(other));
  EXPECT_EQ(beeps_.count(), 0);
  EXPECT_EQ(exited_[first_], 0);
  ASSERT_TRUE(Activate(form_));
  EXPECT_TRUE(first_->hasFocus());
  EXPECT_EQ(beeps_.count(), 0);
  EXPECT_EQ(entered_[first_], 0);
}

TEST_F(FocusTest, ClosingTheWindowDoesNotCheckTheField) {
  first_->setText(QStringLiteral("abc"));
  form_.close();
  QApplication::processEvents();
  EXPECT_EQ(beeps_.count(), 0);
  EXPECT_EQ(exited_[first_], 0);
}

TEST_F(FocusTest, WantTabsTypesATabInsteadOfMovingOn) {
  chars_->SetWantTabs(true);
  chars_->setFocus(Qt::OtherFocusReason);
  chars_->clear();
  QTest::keyClicks(chars_, QStringLiteral("a"));
  QTest::keyClick(chars_, Qt::Key_Tab);
  QTest::keyClick(chars_, Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClicks(chars_, QStringLiteral("b"));
  EXPECT_TRUE(chars_->hasFocus());
  EXPECT_EQ(chars_->text(), QStringLiteral("a\t\tb"));
  chars_->SetWantTabs(false);
  QTest::keyClick(chars_, Qt::Key_Tab);
  EXPECT_TRUE(plain_->hasFocus());
}

TEST_F(FocusTest, AFieldThatTakesTheFocusBackShowsItsButtonAgain) {
  first_->SetLinkStyle(TValidEdit::lsEllipsis);
  first_->setText(QStringLiteral("abc"));
  QTest::keyClick(first_, Qt::Key_Tab);
  ASSERT_TRUE(first_->hasFocus());
  EXPECT_EQ(first_->textMargins().right(), first_->ButtonWidth());
}

}  // namespace
}  // namespace qarn
