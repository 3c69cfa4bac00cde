#include <QCoreApplication>
#include <cstdio>

#include "tool/tool.h"

namespace {

void Write(const QString& text, std::FILE* stream) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

}  // namespace

int main(int argc, char* argv[]) {
  // A core application is enough: reading, writing and drawing into images needs no display.
  QCoreApplication app(argc, argv);
  QString out, err;
  const int status = qarn::RunTool(QCoreApplication::arguments().mid(1), &out, &err);
  Write(out, stdout);
  Write(err, stderr);
  return status;
}
