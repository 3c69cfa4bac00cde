#include "tool/command_line.h"

#include <QCommandLineParser>

#include "tool/tool_errors.h"

namespace qarn {

namespace {

const QCommandLineOption& HelpOption() {
  static const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                       QStringLiteral("Show this help."));
  return help;
}

void CheckCount(const SubCommand& command, const QStringList& positional) {
  if (positional.size() < command.minPositional) {
    throw UsageError("missing arguments; expected " + command.synopsis.toStdString());
  }
  if (command.maxPositional >= 0 && positional.size() > command.maxPositional) {
    throw UsageError("unexpected argument '" + positional.at(command.maxPositional).toStdString() +
                     "'");
  }
}

QString OptionLine(const QCommandLineOption& option) {
  QStringList names;
  for (const QString& name : option.names()) {
    names << (name.size() == 1 ? "-" : "--") + name;
  }
  QString left = names.join(QStringLiteral(", "));
  if (!option.valueName().isEmpty()) left += ' ' + option.valueName();
  return QStringLiteral("  %1  %2\n").arg(left, -16).arg(option.description());
}

// No option of the tool is a digit, so "-12.5" is a negative number (a world coordinate), which
// the parser would take for the short options 1, 2, . and 5. It passes the parser in disguise.
const QChar kNegative(0x2212);  // the minus sign, which no one types on a command line

QStringList DisguiseNegativeNumbers(QStringList args) {
  for (QString& arg : args) {
    if (arg.size() >= 2 && arg[0] == '-' && (arg[1].isDigit() || arg[1] == '.')) arg[0] = kNegative;
  }
  return args;
}

QString Undisguised(QString arg) {
  if (arg.startsWith(kNegative)) arg[0] = '-';
  return arg;
}

}  // namespace

CommandArgs ParseCommandArgs(const SubCommand& command, const QStringList& args) {
  QCommandLineParser parser;
  parser.addOption(HelpOption());
  parser.addOptions(command.options);
  // The parser expects the program's name in front.
  if (!parser.parse(QStringList{QStringLiteral("qarn-tool")} + DisguiseNegativeNumbers(args))) {
    throw UsageError(parser.errorText().toStdString());
  }
  CommandArgs parsed;
  if (parser.isSet(HelpOption())) {
    parsed.options.insert(QStringLiteral("help"), QString());
    return parsed;
  }
  for (const QCommandLineOption& option : command.options) {
    if (parser.isSet(option)) {
      parsed.options.insert(option.names().last(), Undisguised(parser.value(option)));
    }
  }
  for (const QString& arg : parser.positionalArguments()) parsed.positional << Undisguised(arg);
  CheckCount(command, parsed.positional);
  return parsed;
}

QString CommandHelp(const SubCommand& command) {
  QString help = "Usage: qarn-tool " + command.synopsis + "\n\n" + command.description + "\n";
  help += QStringLiteral("\nOptions:\n");
  for (const QCommandLineOption& option : command.options) help += OptionLine(option);
  return help + OptionLine(HelpOption());
}

}  // namespace qarn
