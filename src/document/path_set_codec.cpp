#include "document/path_set_codec.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <span>

#include "document/errors.h"
#include "document/path_set_layout.h"

namespace qarn {

namespace {

using namespace layout;
using std::to_string;
using Records = std::vector<std::unique_ptr<tDesc>>;

void CheckCounts(const tHeader& doc) {
  if (doc.objectCount > kMaxObjectCount) {
    throw RangeCheckError("the object count is " + to_string(doc.objectCount) +
                          "; a path set holds at most " + to_string(kMaxObjectCount) + " objects.");
  }
  if (doc.objectCount != doc.records.size()) {
    throw ListIndexError("the object count is " + to_string(doc.objectCount) +
                         ", but the path set holds " + to_string(doc.records.size()) + " objects.");
  }
  // One handler around the loop, not one per object, keeps this loop as tight as it was.
  size_t i = 0;
  WithPlace([&i] { return "object " + to_string(i + 1); },
            [&] {
              for (; i < doc.records.size(); ++i) CheckPointCount(doc.records[i]->pointCount);
            });
}

// Everything that can refuse a serialisation, checked before a single byte is written.
size_t CheckSerializable(const tHeader& doc) {
  CheckCounts(doc);
  const size_t size = SerializedSize(doc);
  if (size > static_cast<size_t>(kMaxDocumentBytes)) {
    throw RangeCheckError("the path set would be " + to_string(size) +
                          " bytes long; a path set holds at most " + to_string(kMaxDocumentBytes) +
                          " bytes.");
  }
  return size;
}

void WritePoint(const tPoint& point, uint8_t* out) {
  StoreWord(out, point.flags);
  StoreFloat(out + 4, point.x);
  StoreFloat(out + 8, point.y);
  StoreFloat(out + 12, point.z);
}

uint8_t* WriteObject(const tDesc& record, uint8_t* out) {
  out = std::copy(record.name.begin(), record.name.end(), out);
  StoreWord(out, record.pointCount);
  StoreWord(out + 4, record.headWord);
  out += 8;
  const std::span<const tPoint> slots = record.Slots();
  const size_t pointBytes = kPointBytes * record.pointCount;
  if (slots.empty()) {
    std::fill_n(out, pointBytes, uint8_t{0});
  } else {
    for (uint32_t j = 0; j < record.pointCount; ++j) WritePoint(slots[j], out + kPointBytes * j);
  }
  out += pointBytes;
  StoreWord(out, record.trailerWord);
  return out + kTrailerBytes;
}

void WriteDocument(const tHeader& doc, uint8_t* out) {
  StoreWord(out, doc.leadingWord);
  StoreWord(out + kCountOffset, doc.objectCount);
  StoreWord(out + kLastIndexOffset, doc.lastIndex);
  out += kHeaderBytes;
  for (const auto& record : doc.records) out = WriteObject(*record, out);
}

void ReadPoint(const uint8_t* in, tPoint& point) {
  point.flags = LoadWord(in);
  point.x = LoadFloat(in + 4);
  point.y = LoadFloat(in + 8);
  point.z = LoadFloat(in + 12);
}

// Reads one validated object block into a record that has its slots where the block has points
// (see GiveSlots). The slots the record's old count used beyond the new one are cleared, the rest
// being zero as in every record.
const uint8_t* ReadObject(const uint8_t* in, tDesc& record) {
  const uint32_t oldCount = std::min(record.pointCount, static_cast<uint32_t>(kMaxPoints));
  std::copy(in, in + kNameBytes, record.name.begin());
  record.pointCount = LoadWord(in + kPointCountOffset);
  record.headWord = LoadWord(in + kHeadWordOffset);
  in += kObjectHeadBytes;
  if (!record.Slots().empty()) {  // else the block has no points and every slot reads zero
    const std::span<tPoint> slots = record.WritableSlots();
    for (uint32_t j = 0; j < record.pointCount; ++j) ReadPoint(in + kPointBytes * j, slots[j]);
    if (record.pointCount < oldCount) {
      std::fill(slots.begin() + record.pointCount, slots.begin() + oldCount, tPoint{});
    }
  }
  in += kPointBytes * record.pointCount;
  record.trailerWord = LoadWord(in);
  return in + kTrailerBytes;
}

uint32_t DeclaredCount(const FileBuffer& buffer) {
  return LoadWord(buffer.bytes.data() + kCountOffset);
}

Records FreshRecords(size_t count) {
  Records records;
  records.reserve(count);
  for (size_t k = 0; k < count; ++k) records.push_back(std::make_unique<tDesc>());
  return records;
}

// Gives slots to the records [first, end) whose validated blocks from `in` (ending at `end`)
// have points, before anything changes, so that reading cannot fail half way. Records without
// points keep none; when no block has points the walk over the blocks is skipped.
void GiveSlots(const uint8_t* in, const uint8_t* end, Records& records, size_t first) {
  if (static_cast<size_t>(end - in) == (records.size() - first) * BlockBytes(0)) return;
  for (size_t i = first; i < records.size(); ++i) {
    const uint32_t count = LoadWord(in + kPointCountOffset);
    if (count > 0) records[i]->WritableSlots();
    in += BlockBytes(count);
  }
}

// Fills records [first, end) from the validated blocks from `in` to `end`.
void ReadObjects(const uint8_t* in, const uint8_t* end, Records& records, size_t first) {
  GiveSlots(in, end, records, first);
  for (size_t i = first; i < records.size(); ++i) in = ReadObject(in, *records[i]);
}

void TakeHeaderWords(const FileBuffer& buffer, tHeader& doc) {
  doc.leadingWord = LoadWord(buffer.bytes.data());
  doc.objectCount = LoadWord(buffer.bytes.data() + kCountOffset);
  doc.lastIndex = LoadWord(buffer.bytes.data() + kLastIndexOffset);
}

}  // namespace

size_t SerializedSize(const tHeader& doc) {
  size_t size = kHeaderBytes;
  for (const auto& record : doc.records) size += BlockBytes(record->pointCount);
  return size;
}

void SerializeDocument(const tHeader& doc, FileBuffer& buffer) {
  const size_t size = CheckSerializable(doc);
  WriteDocument(doc, buffer.bytes.data());
  buffer.usedLength = static_cast<int32_t>(size);
}

std::vector<uint8_t> SerializeToBytes(const tHeader& doc) {
  std::vector<uint8_t> bytes(CheckSerializable(doc));
  WriteDocument(doc, bytes.data());
  return bytes;
}

// Rebuilding the records on every edit would cost far more than reading the file's 60 KB, so
// the document's records are reused and only the missing ones allocated; clearing all their
// unused slots would cost as much, so only those a shorter count gave up are cleared. Every
// allocation comes before the first change, so a failure still leaves the document as it was.
void ParseBuffer(const FileBuffer& buffer, tHeader& doc) {
  const uint8_t* end = buffer.bytes.data() + ValidatePathSet(buffer);
  const size_t count = DeclaredCount(buffer);
  const size_t reused = std::min(count, doc.records.size());
  Records added = FreshRecords(count - reused);
  doc.records.reserve(count);
  doc.records.erase(doc.records.begin() + static_cast<std::ptrdiff_t>(reused), doc.records.end());
  std::move(added.begin(), added.end(), std::back_inserter(doc.records));
  ReadObjects(buffer.bytes.data() + kHeaderBytes, end, doc.records, 0);
  TakeHeaderWords(buffer, doc);
}

void MergeBuffer(const FileBuffer& buffer, tHeader& doc) {
  const uint8_t* end = buffer.bytes.data() + ValidatePathSet(buffer);
  const size_t existing = doc.records.size();
  const size_t total = existing + DeclaredCount(buffer);
  if (total == 0) {
    TakeHeaderWords(buffer, doc);
    throw OverflowError(
        "a path set without objects merged into an empty one leaves no last index.");
  }
  Records added = FreshRecords(total - existing);
  doc.records.reserve(total);  // the last step that can fail
  std::move(added.begin(), added.end(), std::back_inserter(doc.records));
  ReadObjects(buffer.bytes.data() + kHeaderBytes, end, doc.records, existing);
  TakeHeaderWords(buffer, doc);
  doc.objectCount = static_cast<uint32_t>(total);
  doc.lastIndex = doc.objectCount - 1;
}

std::vector<ObjectRow> ObjectListRows(const tHeader& doc) {
  std::vector<ObjectRow> rows;
  rows.reserve(doc.records.size());
  for (size_t i = 0; i < doc.records.size(); ++i) {
    rows.push_back({static_cast<int>(i + 1), doc.records[i]->DisplayName()});
  }
  return rows;
}

}  // namespace qarn
