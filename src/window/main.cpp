#include <QApplication>
#include <cstdio>

#include "window/qarn_form.h"
#include "window/screen_fit.h"
#include "window/startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("qarn"));
  QApplication::setApplicationVersion(QStringLiteral(QARN_VERSION));
  const qarn::StartOptions options = qarn::ParseCommandLine(QApplication::arguments());
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "qarn: %s\n%s", qPrintable(options.error), qPrintable(qarn::HelpText()));
    return 2;
  }
  if (options.showHelp || options.showVersion) {
    const QString text = options.showHelp ? qarn::HelpText() : qarn::VersionText() + '\n';
    std::fputs(qPrintable(text), stdout);
    return 0;
  }
  const auto form = qarn::CreateEditor(options);
  qarn::FitToScreen(*form);
  form->show();
  return QApplication::exec();
}
