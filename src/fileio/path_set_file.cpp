#include "fileio/path_set_file.h"

#include <memory>
#include <span>
#include <string>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "fileio/file_place.h"
#include "fileio/read_file.h"
#include "fileio/safe_write.h"

namespace qarn {

namespace {

RangeCheckError TooLarge(qint64 size) {
  return RangeCheckError("the file is " + std::to_string(size) +
                         " bytes long; the file buffer holds at most " +
                         std::to_string(kBufferSize) + " bytes.");
}

void ReadInto(const QString& path, FileBuffer& buffer) {
  const QByteArray data =
      ReadRegularFile(path, kBufferSize, [](qint64 length) { throw TooLarge(length); });
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

}  // namespace

void ReadPathSetFile(const QString& path, FileBuffer& buffer) {
  WithPlace(FilePlace(path), [&] { ReadInto(path, buffer); });
}

tHeader LoadPathSetFile(const QString& path, FileBuffer& buffer) {
  auto scratch = std::make_unique<FileBuffer>();
  ReadPathSetFile(path, *scratch);
  tHeader doc;
  WithPlace(FilePlace(path), [&] { ParseBuffer(*scratch, doc); });
  CopyImage(*scratch, buffer);
  return doc;
}

void MergePathSetFile(const QString& path, FileBuffer& buffer, tHeader& doc) {
  auto scratch = std::make_unique<FileBuffer>();
  ReadPathSetFile(path, *scratch);
  WithPlace(FilePlace(path), [&] { MergeAndReparse(*scratch, doc); });
  CopyImage(*scratch, buffer);
}

void WritePathSetFile(const QString& path, const FileBuffer& buffer) {
  if (buffer.usedLength < 0 || buffer.usedLength > kBufferSize) {
    RangeCheckError error = TooLarge(buffer.usedLength);
    error.AddPlace(FilePlace(path));
    throw error;
  }
  WriteFileSafely(path, QByteArrayView(buffer.bytes.data(), buffer.usedLength));
}

}  // namespace qarn
