#include "widgets/valid_edit.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScopedValueRollback>
#include <QStyle>
#include <algorithm>

namespace qarn {

namespace {

// The field that is taking the focus back after an invalid exit. While it does, the field the
// focus was heading for never really had it: its own gate must not run, or two invalid fields
// would pull the focus from each other forever.
TValidEdit* reclaimingField = nullptr;

// Switching windows or opening a popup does not move the focus inside the form, so the entry
// is neither left nor entered.
bool IsWindowSwitch(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool IsEnterKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void PaintEllipsis(QPainter& painter, const QRect& button, int fieldHeight, bool down) {
  const int d = button.width() / 2 - 1 + (down ? 1 : 0);
  const int s = std::max(1, fieldHeight / 8);
  for (int step = -2; step <= 2; step += 2) {
    painter.fillRect(QRect(button.left() + d + step * s, button.top() + d, s, s), Qt::black);
  }
}

// The glyph square of the drop-down and check styles: ButtonWidth - 4 wide, kept two pixels
// inside the button's left edge and, where it fits, inside its bottom edge.
QRect GlyphSquare(const QRect& button, int buttonWidth) {
  const int s = buttonWidth - 4;
  int m = (button.height() - s) / 2;
  const int bottom = button.top() + button.height();
  if (m > 0 && button.top() + 2 + m + s > bottom - 2) --m;
  return QRect(button.left() + 2, button.top() + 2 + m, s, s);
}

void PaintDropDownArrow(QPainter& painter, const QRectF& square, const QColor& color) {
  const qreal half = std::max<qreal>(1.5, square.width() / 4);
  const QPointF centre = square.center();
  QPainterPath arrow;
  arrow.moveTo(centre.x() - half, centre.y() - half / 2);
  arrow.lineTo(centre.x() + half, centre.y() - half / 2);
  arrow.lineTo(centre.x(), centre.y() + half / 2 + 0.5);
  arrow.closeSubpath();
  painter.fillPath(arrow, color);
}

void PaintCheckMark(QPainter& painter, const QRectF& square, const QColor& color) {
  const qreal w = square.width();
  const QPointF points[] = {square.topLeft() + QPointF(0.2 * w, 0.5 * w),
                            square.topLeft() + QPointF(0.42 * w, 0.72 * w),
                            square.topLeft() + QPointF(0.8 * w, 0.28 * w)};
  painter.setPen(QPen(color, std::max<qreal>(1.5, w / 7), Qt::SolidLine, Qt::SquareCap));
  painter.drawPolyline(points, 3);
}

}  // namespace

TValidEdit::TValidEdit(QWidget* parent)
    : QLineEdit(parent),
      buttonWidth_(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)) {
  // The cursor shape over the button follows the pointer, so moves without a button count too.
  setMouseTracking(true);
}

std::function<void()>& TValidEdit::BeepHook() {
  static std::function<void()> hook = [] { QApplication::beep(); };
  return hook;
}

bool TValidEdit::IsValid() {
  empty_ = text().isEmpty();
  if (allowEmpty_ && empty_) return true;
  valid_ = CheckText();
  bool result = valid_;
  if (!valid_) {
    if (beepOnInvalid_ && BeepHook()) BeepHook()();
    if (OnInvalid) OnInvalid(this, result);
  }
  return result;
}

void TValidEdit::SetButtonWidth(int width) {
  buttonWidth_ = std::max(0, width);
  UpdateEditRect();
}

void TValidEdit::SetLinkStyle(TlinkStyle style) {
  if (style == linkStyle_) return;
  linkStyle_ = style;
  UpdateEditRect();
}

void TValidEdit::ReplaceText(const QString& newText) {
  if (text() == newText) return;
  setText(newText);
  if (!hasFocus()) setCursorPosition(0);
}

void TValidEdit::ShowText(const QString& newText) {
  if (text() != newText) setText(newText);
  setCursorPosition(0);  // also ends a selection
}

bool TValidEdit::ButtonShows() const {
  return linkStyle_ != lsNormal && hasFocus();
}

QRect TValidEdit::ButtonRect() const {
  return QRect(width() - buttonWidth_, 0, buttonWidth_, height());
}

// Keeps the text out of the button while the button shows.
void TValidEdit::UpdateEditRect() {
  setTextMargins(0, 0, ButtonShows() ? buttonWidth_ : 0, 0);
  UpdateCursorShape(mapFromGlobal(QCursor::pos()));
  update();
}

void TValidEdit::UpdateCursorShape(QPoint pos) {
  const bool overButton = ButtonShows() && pos.x() >= width() - buttonWidth_ - 4;
  setCursor(overButton ? Qt::ArrowCursor : Qt::IBeamCursor);
}

bool TValidEdit::event(QEvent* event) {
  // Tab is taken here because the widget's own event handling turns it into focus navigation
  // before keyPressEvent sees it.
  if (event->type() == QEvent::KeyPress && TakesTabKey(*static_cast<QKeyEvent*>(event))) {
    if (!isReadOnly()) insert(QStringLiteral("\t"));
    return true;
  }
  return QLineEdit::event(event);
}

bool TValidEdit::TakesTabKey(const QKeyEvent& key) const {
  const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
  return wantTabs_ && tab && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

void TValidEdit::focusInEvent(QFocusEvent* event) {
  if (reclaimingField == this || IsWindowSwitch(event->reason())) {
    QLineEdit::focusInEvent(event);
    UpdateEditRect();
    return;
  }
  ReadValueOnEntry();
  UpdateEditRect();
  QLineEdit::focusInEvent(event);
  if (OnEnter) OnEnter(this);
}

void TValidEdit::focusOutEvent(QFocusEvent* event) {
  if (reclaimingField != nullptr && reclaimingField != this) {
    QWidget::focusOutEvent(event);
    return;
  }
  const bool gated = !IsWindowSwitch(event->reason());
  const bool valid = !gated || IsValid();
  if (!valid && focusOnInvalid_) TakeFocusBack();
  if (hasFocus()) return;
  StopButtonTracking();
  UpdateEditRect();
  QLineEdit::focusOutEvent(event);
  if (gated && valid && OnExit) OnExit(this);
}

void TValidEdit::TakeFocusBack() {
  if (!isVisible() || !isEnabled() || !window()->isActiveWindow()) return;
  const QScopedValueRollback<TValidEdit*> guard(reclaimingField, this);
  setFocus(Qt::OtherFocusReason);
}

bool TValidEdit::IsButtonShortcut(const QKeyEvent& key) const {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return linkStyle_ != lsNormal && IsEnterKey(key.key()) && mods == Qt::ControlModifier;
}

void TValidEdit::keyPressEvent(QKeyEvent* event) {
  if (IsButtonShortcut(*event)) {
    event->accept();
    DoButtonClick();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TValidEdit::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && ButtonShows() && ButtonRect().contains(pos)) {
    tracking_ = true;
    TrackButton(pos);
  }
  QLineEdit::mousePressEvent(event);
}

void TValidEdit::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (tracking_) TrackButton(pos);
  QLineEdit::mouseMoveEvent(event);
  UpdateCursorShape(pos);
}

void TValidEdit::mouseReleaseEvent(QMouseEvent* event) {
  const bool wasDown = buttonDown_;
  StopButtonTracking();
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && linkStyle_ != lsNormal && wasDown) DoButtonClick();
}

void TValidEdit::TrackButton(QPoint pos) {
  const bool down = ButtonRect().contains(pos);
  if (down == buttonDown_) return;
  buttonDown_ = down;
  update(ButtonRect());
}

void TValidEdit::StopButtonTracking() {
  if (!tracking_) return;
  TrackButton(QPoint(-1, -1));
  tracking_ = false;
}

void TValidEdit::DoButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TValidEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (ButtonShows()) PaintButton();
}

void TValidEdit::PaintButton() {
  QPainter painter(this);
  const QRect button = ButtonRect();
  const QBrush face = palette().button();
  if (buttonDown_) {
    qDrawPlainRect(&painter, button, palette().color(QPalette::Dark), 1, &face);
  } else {
    qDrawWinButton(&painter, button, palette(), false, &face);
  }
  painter.setRenderHint(QPainter::Antialiasing, linkStyle_ != lsEllipsis);
  const QColor glyph = palette().color(QPalette::ButtonText);
  if (linkStyle_ == lsEllipsis) PaintEllipsis(painter, button, height(), buttonDown_);
  if (linkStyle_ == lsCombo) PaintDropDownArrow(painter, GlyphSquare(button, buttonWidth_), glyph);
  if (linkStyle_ == lsCheck) PaintCheckMark(painter, GlyphSquare(button, buttonWidth_), glyph);
}

}  // namespace qarn
