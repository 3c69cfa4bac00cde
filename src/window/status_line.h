#pragma once

#include <QLabel>
#include <QPointF>
#include <QString>
#include <optional>

namespace qarn {

// The status line of the bottom bar: the document's name, a '*' while it has unsaved changes and
// the world x and z under the pointer. The numbers carry no group separators, so a copied value
// reads back in a number field. A name too long for the line is elided in its middle, so the
// marker and the position stay whole; the full text is the line's accessible name.
class StatusLine : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  // `hint` says what a drag on the map would do or is doing ("Rotation 47°").
  void Show(const QString& documentName, bool modified, std::optional<QPointF> world,
            const QString& hint = QString());
  // The whole text, as it reads when nothing has to be elided.
  QString FullText() const { return name_ + rest_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();

  QString name_;
  QString rest_;  // the marker and the position
};

}  // namespace qarn
