#pragma once

#include <QLineEdit>
#include <QRect>
#include <cstdint>
#include <functional>

namespace qarn {

// A single-line edit field that checks its text when the focus leaves it (and whenever a
// subclass asks). Typing is never filtered: only the check decides. An invalid entry beeps,
// fires OnInvalid and, by default, keeps the focus. The field can also show a small button in
// its right edge while it has the focus.
class TValidEdit : public QLineEdit {
  Q_OBJECT

 public:
  enum TlinkStyle : uint8_t { lsNormal, lsEllipsis, lsCombo, lsCheck };

  explicit TValidEdit(QWidget* parent = nullptr);

  // The validation cycle: an empty text passes when AllowEmpty, otherwise the class check runs;
  // a failure beeps (BeepOnInvalid) and asks OnInvalid whether the entry may stand.
  bool IsValid();

  bool Valid() const { return valid_; }
  bool Empty() const { return empty_; }
  bool AllowEmpty() const { return allowEmpty_; }
  void SetAllowEmpty(bool allow) { allowEmpty_ = allow; }
  bool BeepOnInvalid() const { return beepOnInvalid_; }
  void SetBeepOnInvalid(bool beep) { beepOnInvalid_ = beep; }
  bool FocusOnInvalid() const { return focusOnInvalid_; }
  void SetFocusOnInvalid(bool keep) { focusOnInvalid_ = keep; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool want) { wantTabs_ = want; }
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  TlinkStyle LinkStyle() const { return linkStyle_; }
  void SetLinkStyle(TlinkStyle style);
  bool ButtonDown() const { return buttonDown_; }
  bool Tracking() const { return tracking_; }

  // Called on an invalid entry; setting canLeave to true accepts it.
  std::function<void(TValidEdit* sender, bool& canLeave)> OnInvalid;
  std::function<void(TValidEdit* sender)> OnButtonClick;
  // The focus left the field with an entry that passed the check.
  std::function<void(TValidEdit* sender)> OnExit;
  std::function<void(TValidEdit* sender)> OnEnter;

  // The warning sound; QApplication::beep() unless replaced (tests count beeps with it).
  static std::function<void()>& BeepHook();

  // Shows a text the program sets (a value to read, not an entry being typed): the cursor goes
  // to the start, so a field narrower than its text shows the sign and the leading digits.
  void ShowText(const QString& text);

 protected:
  virtual bool CheckText() = 0;
  // Numeric fields read their value when the focus enters them.
  virtual void ReadValueOnEntry() {}
  // Replaces the text only when it differs, so the cursor and undo history survive a
  // validation that changes nothing. A field without the focus then shows the start.
  void ReplaceText(const QString& text);

  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool ButtonShows() const;
  QRect ButtonRect() const;
  void UpdateEditRect();
  void UpdateCursorShape(QPoint pos);
  void TrackButton(QPoint pos);
  void StopButtonTracking();
  void DoButtonClick();
  bool TakesTabKey(const QKeyEvent& key) const;
  bool IsButtonShortcut(const QKeyEvent& key) const;
  void TakeFocusBack();
  void PaintButton();

  bool valid_ = false;
  bool empty_ = false;
  bool allowEmpty_ = true;
  bool beepOnInvalid_ = true;
  bool focusOnInvalid_ = true;
  bool wantTabs_ = false;
  int buttonWidth_ = 0;
  TlinkStyle linkStyle_ = lsNormal;
  bool buttonDown_ = false;
  bool tracking_ = false;
};

}  // namespace qarn
