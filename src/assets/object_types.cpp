#include "assets/object_types.h"

#include <QFile>

namespace qarn {

// One entry per line; every line ends in a line feed, so the text after the last one is not an
// entry, while the empty line before it is (the list's last, empty entry).
QStringList ObjectTypeNames() {
  QFile file(QStringLiteral(":/object_types.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList names = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  names.removeLast();
  for (QString& name : names) {
    if (name.endsWith(QLatin1Char('\r'))) name.chop(1);
  }
  return names;
}

}  // namespace qarn
