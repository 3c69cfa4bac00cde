// Loads arbitrary bytes as a path set. A refused file must leave the document untouched; an
// accepted one must serialise back to its own bytes (less any bytes after its last object),
// parse again to the same document, and merge with itself into both copies in order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "document/errors.h"
#include "document/path_set_codec.h"

namespace {

using namespace qarn;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "load_fuzzer: %s\n", what);
  std::abort();
}

// A small document standing in for whatever the editor held before the load.
tHeader Previous() {
  tHeader doc;
  doc.leadingWord = 0xC0FFEE;
  tDesc& record = doc.InsertNew(1);
  record.name[0] = 'p';
  record.pointCount = 2;
  record.Point(2).x = 3.5f;
  return doc;
}

void CheckSelfMerge(const FileBuffer& buffer, const tHeader& doc, std::span<const uint8_t> file) {
  tHeader merged(doc);
  MergeBuffer(buffer, merged);
  Require(merged.objectCount == 2 * doc.objectCount, "merge count");
  Require(merged.lastIndex == merged.objectCount - 1, "merge last index");
  if (SerializedSize(merged) > static_cast<size_t>(kMaxDocumentBytes)) return;
  const auto bytes = SerializeToBytes(merged);
  const size_t objects = SerializedSize(doc) - 12;
  Require(std::memcmp(bytes.data(), file.data(), 4) == 0, "merge leading word");
  Require(std::memcmp(bytes.data() + 12, file.data() + 12, objects) == 0, "merge first copy");
  Require(std::memcmp(bytes.data() + 12 + objects, file.data() + 12, objects) == 0,
          "merge second copy");
}

void CheckAccepted(const FileBuffer& buffer, const tHeader& doc, std::span<const uint8_t> file) {
  const auto bytes = SerializeToBytes(doc);
  Require(bytes.size() <= file.size(), "serialisation longer than the file");
  Require(std::equal(bytes.begin(), bytes.end(), file.begin()),
          "serialisation differs from the file");
  auto again = std::make_unique<FileBuffer>();
  SerializeDocument(doc, *again);
  tHeader reparsed = Previous();
  ParseBuffer(*again, reparsed);
  Require(SerializeToBytes(reparsed) == bytes, "second round trip differs");
  if (doc.objectCount > 0) CheckSelfMerge(buffer, doc, file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  static auto buffer = std::make_unique<FileBuffer>();  // old bytes stay beyond the used length
  if (size > static_cast<size_t>(kBufferSize)) {
    try {
      buffer->SetImage(file);
      Require(false, "an image larger than the buffer was taken");
    } catch (const RangeCheckError&) {
    }
    return 0;
  }
  buffer->SetImage(file);
  tHeader doc = Previous();
  const auto before = SerializeToBytes(doc);
  try {
    ParseBuffer(*buffer, doc);
  } catch (const QarnError&) {
    Require(SerializeToBytes(doc) == before && doc.leadingWord == 0xC0FFEE,
            "refusal changed the document");
    return 0;
  }
  CheckAccepted(*buffer, doc, file);
  return 0;
}
