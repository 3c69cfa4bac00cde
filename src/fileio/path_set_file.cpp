#include "fileio/path_set_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "document/errors.h"
#include "document/path_set_codec.h"

namespace qarn {

namespace {

std::string FileName(const QString& path) {
  return QFileInfo(path).fileName().toStdString();
}

std::string Reason(const QFileDevice& file) {
  return file.errorString().toStdString() + ".";
}

// Rethrows with the file's name in front of the message. Assigning to the std::runtime_error
// part replaces only the message, so callers still catch the same error type.
template <class E>
[[noreturn]] void ThrowNamed(const E& error, const QString& path) {
  E named = error;
  static_cast<std::runtime_error&>(named) =
      std::runtime_error(FileName(path) + ": " + error.what());
  throw named;
}

template <class Action>
void WithFileName(const QString& path, Action&& action) {
  try {
    action();
  } catch (const RangeCheckError& e) {
    ThrowNamed(e, path);
  } catch (const OverflowError& e) {
    ThrowNamed(e, path);
  } catch (const ListIndexError& e) {
    ThrowNamed(e, path);
  } catch (const InOutError& e) {
    ThrowNamed(e, path);
  } catch (const MalformedFileError& e) {
    ThrowNamed(e, path);
  }
}

RangeCheckError TooLarge(qint64 size) {
  return RangeCheckError("the file is " + std::to_string(size) +
                         " bytes long; the file buffer holds at most " +
                         std::to_string(kBufferSize) + " bytes.");
}

void ReadInto(const QString& path, FileBuffer& buffer) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw InOutError("cannot open the file: " + Reason(file));
  if (file.size() > kBufferSize) throw TooLarge(file.size());
  // One byte more than fits tells a file that grew, or a device without a size, from one that fits.
  const QByteArray data = file.read(kBufferSize + 1);
  if (file.error() != QFileDevice::NoError) {
    throw InOutError("cannot read the file: " + Reason(file));
  }
  if (data.size() > kBufferSize) throw TooLarge(data.size());
  buffer.SetImage(std::span(reinterpret_cast<const uint8_t*>(data.constData()),
                            static_cast<size_t>(data.size())));
}

void CopyImage(const FileBuffer& from, FileBuffer& to) {
  to.SetImage(std::span(from.bytes.data(), static_cast<size_t>(from.usedLength)));
}

struct HeaderSnapshot {
  uint32_t leadingWord, objectCount, lastIndex;
  size_t recordCount;
};

void Restore(const HeaderSnapshot& before, tHeader& doc) {
  doc.records.erase(doc.records.begin() + static_cast<std::ptrdiff_t>(before.recordCount),
                    doc.records.end());
  doc.leadingWord = before.leadingWord;
  doc.objectCount = before.objectCount;
  doc.lastIndex = before.lastIndex;
}

// The editor's merge: append, serialise, parse back. `scratch` holds the file on entry and the
// merged document's image on success.
void MergeAndReparse(FileBuffer& scratch, tHeader& doc) {
  const HeaderSnapshot before{doc.leadingWord, doc.objectCount, doc.lastIndex, doc.records.size()};
  MergeBuffer(scratch, doc);
  try {
    SerializeDocument(doc, scratch);
    ParseBuffer(scratch, doc);
  } catch (...) {
    Restore(before, doc);
    throw;
  }
}

void WriteFrom(const QString& path, const FileBuffer& buffer) {
  if (buffer.usedLength < 0 || buffer.usedLength > kBufferSize) throw TooLarge(buffer.usedLength);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) throw InOutError("cannot create the file: " + Reason(file));
  const qint64 size = buffer.usedLength;
  if (file.write(reinterpret_cast<const char*>(buffer.bytes.data()), size) != size) {
    const std::string reason = Reason(file);
    file.cancelWriting();
    throw InOutError("cannot write the file: " + reason);
  }
  if (!file.commit()) throw InOutError("cannot save the file: " + Reason(file));
}

}  // namespace

void ReadPathSetFile(const QString& path, FileBuffer& buffer) {
  WithFileName(path, [&] { ReadInto(path, buffer); });
}

tHeader LoadPathSetFile(const QString& path, FileBuffer& buffer) {
  auto scratch = std::make_unique<FileBuffer>();
  ReadPathSetFile(path, *scratch);
  tHeader doc;
  WithFileName(path, [&] { ParseBuffer(*scratch, doc); });
  CopyImage(*scratch, buffer);
  return doc;
}

void MergePathSetFile(const QString& path, FileBuffer& buffer, tHeader& doc) {
  auto scratch = std::make_unique<FileBuffer>();
  ReadPathSetFile(path, *scratch);
  WithFileName(path, [&] { MergeAndReparse(*scratch, doc); });
  CopyImage(*scratch, buffer);
}

void WritePathSetFile(const QString& path, const FileBuffer& buffer) {
  WithFileName(path, [&] { WriteFrom(path, buffer); });
}

}  // namespace qarn
