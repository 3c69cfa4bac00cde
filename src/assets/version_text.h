#pragma once

#include <QString>

namespace qarn {

// What `PROGRAM --version` prints: the name and version, the copyright and the licence, in the
// GNU layout that help2man and packagers read.
QString VersionText(const QString& program);

}  // namespace qarn
