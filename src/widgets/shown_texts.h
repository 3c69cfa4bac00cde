#pragma once

#include <QHash>
#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

namespace qarn {

// The texts a grid's cells in view had when it last looked, so that after the owner's texts
// changed only the cells whose text differs are painted again. Cells are (column, row) in the
// grid's numbering.
class tShownTexts {
 public:
  using tTextOf = std::function<QString(QPoint cell)>;

  // Takes the texts of the cells in view now and returns those that differ from the last look,
  // or were not in view then.
  std::vector<QPoint> Changed(const std::vector<QPoint>& inView, const tTextOf& textOf);

 private:
  QHash<QPoint, QString> texts_;
};

}  // namespace qarn
