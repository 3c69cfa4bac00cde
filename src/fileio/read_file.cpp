#include "fileio/read_file.h"

#include <QFile>
#include <string>

#include "document/errors.h"
#include "fileio/file_kind.h"

namespace qarn {

namespace {

[[noreturn]] void Fail(const std::string& what, const QFileDevice& file) {
  throw InOutError(what + ": " + file.errorString().toStdString() + ".");
}

}  // namespace

QByteArray ReadRegularFile(const QString& path, qint64 limit,
                           const std::function<void(qint64 length)>& tooLarge) {
  RequireRegularFile(path);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) Fail("cannot open the file", file);
  if (file.size() > limit) tooLarge(file.size());
  // One byte more than the limit tells a file that grew since its size was taken.
  const QByteArray data = file.read(limit + 1);
  if (file.error() != QFileDevice::NoError) Fail("cannot read the file", file);
  if (data.size() > limit) tooLarge(data.size());
  return data;
}

}  // namespace qarn
