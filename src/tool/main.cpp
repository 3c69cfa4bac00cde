#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tool/tool.h"

namespace {

// Whether every byte reached the stream and its flush succeeded.
bool Write(const QString& text, std::FILE* stream) {
  const QByteArray bytes = text.toUtf8();
  const size_t size = static_cast<size_t>(bytes.size());
  return std::fwrite(bytes.constData(), 1, size, stream) == size && std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  // A core application is enough: reading, writing and drawing into images needs no display.
  QCoreApplication app(argc, argv);
  QString out, err;
  const QStringList args = QCoreApplication::arguments().mid(1);
  int status = qarn::RunTool(args, &out, &err);
  // A pipeline must not go on with half a dump: output that does not arrive is a failure.
  if (!Write(out, stdout)) {
    err += QStringLiteral("qarn-tool: cannot write to standard output: %1.\n")
               .arg(QString::fromLocal8Bit(std::strerror(errno)));
    status = qarn::OutputFailureStatus(args, status);
  }
  Write(err, stderr);
  return status;
}
