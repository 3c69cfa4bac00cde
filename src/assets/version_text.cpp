#include "assets/version_text.h"

#include "assets/app_identity.h"

namespace qarn {

QString VersionText(const QString& program) {
  return QStringLiteral(
             "%1 %2\n%3\n"
             "License %4: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
             "This is free software: you are free to change and redistribute it.\n"
             "There is NO WARRANTY, to the extent permitted by law.\n")
      .arg(program, QLatin1String(identity::kVersion), QLatin1String(identity::kCopyright),
           QLatin1String(identity::kLicence));
}

}  // namespace qarn
