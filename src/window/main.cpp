#include <QApplication>
#include <cstdio>

#include "window/program_identity.h"
#include "window/qarn_form.h"
#include "window/screen_fit.h"
#include "window/startup.h"

namespace {

// Prints the help or the version when the command line asks for one of them.
bool AnsweredOnTerminal(const QStringList& arguments) {
  const std::optional<QString> answer = qarn::TerminalAnswer(arguments);
  if (answer) std::fputs(qPrintable(*answer), stdout);
  return answer.has_value();
}

}  // namespace

int main(int argc, char** argv) {
  // --help and --version work without a display (for help2man, packagers, a plain console), so
  // they are answered before QApplication, which needs one, is made.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (AnsweredOnTerminal(arguments)) return 0;
  // Otherwise the command line is read once QApplication has taken its own options (-platform,
  // -style, ...) out of it.
  QApplication app(argc, argv);
  qarn::ApplyProgramIdentity();
  const qarn::StartOptions options = qarn::ParseCommandLine(QApplication::arguments());
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "qarn: %s\n%s", qPrintable(options.error), qPrintable(qarn::HelpText()));
    return 2;
  }
  if (AnsweredOnTerminal(QApplication::arguments())) return 0;
  const auto form = qarn::CreateEditor(options);
  qarn::FitToScreen(*form);
  form->show();
  return QApplication::exec();
}
