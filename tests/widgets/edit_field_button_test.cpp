#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "edit_field_test_support.h"
#include "widgets/float_edit.h"

namespace qarn {
namespace {

bool IsDark(QRgb pixel) {
  return qGray(pixel) < 64;
}

int DarkPixelsIn(const QImage& image, QRect area) {
  int count = 0;
  area = area.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += IsDark(image.pixel(x, y)) ? 1 : 0;
  }
  return count;
}

// A focused float field with an in-field button, 160 x 20 pixels, beside a plain line edit.
class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&form_);
    layout->addWidget(field_);
    layout->addWidget(other_);
    field_->setFixedSize(160, 20);
    field_->SetLinkStyle(TValidEdit::lsEllipsis);
    field_->OnButtonClick = [this](TValidEdit* sender) {
      EXPECT_EQ(sender, field_);
      ++clicks_;
    };
    ASSERT_TRUE(Activate(form_));
    field_->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(field_->hasFocus());
  }

  QPoint OnButton() const { return QPoint(field_->width() - field_->ButtonWidth() / 2, 10); }
  QPoint OnText() const { return QPoint(10, 10); }
  QImage Grab() const { return field_->grab().toImage(); }
  QRect ButtonArea() const {
    return QRect(field_->width() - field_->ButtonWidth(), 0, field_->ButtonWidth(),
                 field_->height());
  }

  QWidget form_;
  TFloatEdit* field_ = new TFloatEdit(&form_);
  QLineEdit* other_ = new QLineEdit(&form_);
  int clicks_ = 0;
};

TEST_F(ButtonTest, TheWidthDefaultsToTheScrollBarWidth) {
  TFloatEdit fresh;
  EXPECT_EQ(fresh.ButtonWidth(), fresh.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  EXPECT_GT(fresh.ButtonWidth(), 0);
  EXPECT_EQ(fresh.LinkStyle(), TValidEdit::lsNormal);
}

TEST_F(ButtonTest, CtrlEnterClicksOnceAndInsertsNothing) {
  QSignalSpy returns(field_, &QLineEdit::returnPressed);
  field_->setText(QStringLiteral("12"));
  QTest::keyClick(field_, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(field_->text(), QStringLiteral("12"));
  EXPECT_EQ(returns.count(), 0);
}

TEST_F(ButtonTest, CtrlEnterOnTheKeypadClicksToo) {
  QTest::keyClick(field_, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(clicks_, 1);
}

class ButtonKeyTest : public ButtonTest,
                      public ::testing::WithParamInterface<std::pair<int, Qt::KeyboardModifiers>> {
};

TEST_P(ButtonKeyTest, OtherEnterKeysGoToTheNormalHandling) {
  QSignalSpy returns(field_, &QLineEdit::returnPressed);
  QTest::keyClick(field_, static_cast<Qt::Key>(GetParam().first), GetParam().second);
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(returns.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ButtonKeyTest,
    ::testing::Values(std::pair<int, Qt::KeyboardModifiers>{Qt::Key_Return, Qt::NoModifier},
                      std::pair<int, Qt::KeyboardModifiers>{
                          Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier},
                      std::pair<int, Qt::KeyboardModifiers>{Qt::Key_Return, Qt::ShiftModifier},
                      std::pair<int, Qt::KeyboardModifiers>{Qt::Key_Enter, Qt::KeypadModifier}));

TEST_F(ButtonTest, WithoutAButtonCtrlEnterIsAnOrdinaryKey) {
  field_->SetLinkStyle(TValidEdit::lsNormal);
  QSignalSpy returns(field_, &QLineEdit::returnPressed);
  QTest::keyClick(field_, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(returns.count(), 1);
}

TEST_F(ButtonTest, AClickReleasedOverTheButtonFires) {
  QTest::mousePress(field_, Qt::LeftButton, {}, OnButton());
  EXPECT_TRUE(field_->Tracking());
  EXPECT_TRUE(field_->ButtonDown());
  EXPECT_EQ(clicks_, 0);
  QTest::mouseRelease(field_, Qt::LeftButton, {}, OnButton());
  EXPECT_EQ(clicks_, 1);
  EXPECT_FALSE(field_->Tracking());
  EXPECT_FALSE(field_->ButtonDown());
}

TEST_F(ButtonTest, DraggingOffTheButtonCancelsTheClick) {
  QTest::mousePress(field_, Qt::LeftButton, {}, OnButton());
  QTest::mouseMove(field_, OnText());
  EXPECT_TRUE(field_->Tracking());
  EXPECT_FALSE(field_->ButtonDown());
  QTest::mouseRelease(field_, Qt::LeftButton, {}, OnText());
  EXPECT_EQ(clicks_, 0);
  EXPECT_FALSE(field_->Tracking());
}

TEST_F(ButtonTest, DraggingBackOntoTheButtonRestoresTheClick) {
  QTest::mousePress(field_, Qt::LeftButton, {}, OnButton());
  QTest::mouseMove(field_, OnText());
  QTest::mouseMove(field_, OnButton() + QPoint(2, 3));
  EXPECT_TRUE(field_->ButtonDown());
  QTest::mouseRelease(field_, Qt::LeftButton, {}, OnButton() + QPoint(2, 3));
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonTest, APressThatBeganOnTheTextNeverClicks) {
  QTest::mousePress(field_, Qt::LeftButton, {}, OnText());
  QTest::mouseMove(field_, OnButton());
  EXPECT_FALSE(field_->Tracking());
  EXPECT_FALSE(field_->ButtonDown());
  QTest::mouseRelease(field_, Qt::LeftButton, {}, OnButton());
  EXPECT_EQ(clicks_, 0);
}

TEST_F(ButtonTest, OnlyTheLeftButtonClicks) {
  QTest::mouseClick(field_, Qt::RightButton, {}, OnButton());
  QTest::mouseClick(field_, Qt::MiddleButton, {}, OnButton());
  EXPECT_EQ(clicks_, 0);
  EXPECT_FALSE(field_->Tracking());
}

TEST_F(ButtonTest, TheButtonShowsOnlyWhileFocused) {
  EXPECT_EQ(field_->textMargins().right(), field_->ButtonWidth());
  other_->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(field_->textMargins().right(), 0);
  QTest::mouseClick(field_, Qt::LeftButton, {}, OnButton());
  EXPECT_EQ(clicks_, 1);  // the press gives the focus first, so the button is there
  field_->SetLinkStyle(TValidEdit::lsNormal);
  EXPECT_EQ(field_->textMargins().right(), 0);
  QTest::mouseClick(field_, Qt::LeftButton, {}, OnButton());
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonTest, ChangingTheWidthMovesTheTextMargin) {
  field_->SetButtonWidth(30);
  EXPECT_EQ(field_->textMargins().right(), 30);
  QTest::mouseClick(field_, Qt::LeftButton, {}, QPoint(field_->width() - 28, 10));
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonTest, TheEllipsisIsThreeBlackSquares) {
  const int bw = field_->ButtonWidth();
  const int left = field_->width() - bw;
  const int d = bw / 2 - 1;
  const int s = std::max(1, field_->height() / 8);
  const QImage image = Grab();
  for (int step : {-2, 0, 2}) {
    const QRect square(left + d + step * s, d, s, s);
    EXPECT_EQ(DarkPixelsIn(image, square), s * s) << step;
  }
  EXPECT_EQ(DarkPixelsIn(image, QRect(left + d + s, d, s, s)), 0);  // the gap between two
  other_->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(DarkPixelsIn(Grab(), QRect(left + d, d, s, s)), 0);
}

TEST_F(ButtonTest, ThePressedEllipsisMovesOnePixelDownAndRight) {
  const int bw = field_->ButtonWidth();
  const int d = bw / 2 - 1;
  const int s = std::max(1, field_->height() / 8);
  const QPoint corner(field_->width() - bw + d - 2 * s, d);  // first square, top left
  const QPoint beyond = corner + QPoint(s, s);               // just past its bottom right
  const QImage up = Grab();
  QTest::mousePress(field_, Qt::LeftButton, {}, OnButton());
  const QImage pressed = Grab();
  QTest::mouseRelease(field_, Qt::LeftButton, {}, OnButton());
  EXPECT_TRUE(IsDark(up.pixel(corner)));
  EXPECT_FALSE(IsDark(up.pixel(beyond)));
  EXPECT_FALSE(IsDark(pressed.pixel(corner)));
  EXPECT_TRUE(IsDark(pressed.pixel(beyond)));
  EXPECT_EQ(Grab().copy(ButtonArea()), up.copy(ButtonArea()));
}

TEST_F(ButtonTest, TextNeverPaintsIntoTheButton) {
  field_->SetLinkStyle(TValidEdit::lsCombo);
  field_->clear();
  const QImage empty = Grab().copy(ButtonArea());
  field_->setText(QString(60, QLatin1Char('W')));
  field_->setCursorPosition(60);
  EXPECT_EQ(Grab().copy(ButtonArea()), empty);
}

TEST_F(ButtonTest, ComboAndCheckDrawDifferentGlyphsInTheGlyphSquare) {
  const int glyph = field_->ButtonWidth() - 4;
  const QRect square(field_->width() - field_->ButtonWidth() + 2, 2, glyph, field_->height() - 5);
  field_->SetLinkStyle(TValidEdit::lsCombo);
  const QImage combo = Grab();
  field_->SetLinkStyle(TValidEdit::lsCheck);
  const QImage check = Grab();
  EXPECT_GT(DarkPixelsIn(combo, square), 3);
  EXPECT_GT(DarkPixelsIn(check, square), 3);
  EXPECT_NE(combo.copy(square), check.copy(square));
  field_->SetLinkStyle(TValidEdit::lsNormal);
  EXPECT_EQ(DarkPixelsIn(Grab(), square), 0);
}

TEST_F(ButtonTest, TheCursorIsAnArrowOverTheButton) {
  QTest::mouseMove(field_, OnButton());
  EXPECT_EQ(field_->cursor().shape(), Qt::ArrowCursor);
  QTest::mouseMove(field_, QPoint(field_->width() - field_->ButtonWidth() - 3, 10));
  EXPECT_EQ(field_->cursor().shape(), Qt::ArrowCursor);
  QTest::mouseMove(field_, OnText());
  EXPECT_EQ(field_->cursor().shape(), Qt::IBeamCursor);
  other_->setFocus(Qt::OtherFocusReason);
  QTest::mouseMove(field_, OnButton());
  EXPECT_EQ(field_->cursor().shape(), Qt::IBeamCursor);
}

}  // namespace
}  // namespace qarn
