#pragma once

#include <QLabel>
#include <QPointF>
#include <QString>
#include <optional>

namespace qarn {

// The status line of the bottom bar: the document's name, a '*' while it has unsaved changes,
// what a drag on the map does, and the world x and z under the pointer. The numbers carry no
// group separators, so a copied value reads back in a number field. What does not fit is left
// out whole rather than cut: first the name and its marker (the window's title shows them), then
// the position, so a drag's hint always reads whole. The full text is the line's accessible name.
class StatusLine : public QLabel {
  Q_OBJECT

 public:
  explicit StatusLine(QWidget* parent = nullptr);

  // `hint` says what a drag on the map would do or is doing ("Rotation 47°").
  void Show(const QString& documentName, bool modified, std::optional<QPointF> world,
            const QString& hint = QString());
  // The whole text, as it reads when nothing has to be elided.
  QString FullText() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();

  QString name_;  // with the marker
  QString hint_;
  QString position_;
};

}  // namespace qarn
