#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/file_buffer.h"
#include "document/path_set_records.h"

// The path-set file format: a 12-byte header (leading word, object count, last index), then per
// object a 40-byte head (32 name bytes, point count, head word), its points of 16 bytes each and
// a trailer word. Little-endian throughout.
namespace qarn {

// 12 + the sum of 44 + 16 * P over the records.
size_t SerializedSize(const tHeader& doc);

// Writes the document into the buffer and sets its used length. Checks everything first: when
// the document does not fit or its counts are out of range, neither the buffer nor its used
// length changes.
void SerializeDocument(const tHeader& doc, FileBuffer& buffer);

// Checks bytes [0, usedLength) as a whole path set: MalformedFileError for a short or truncated
// file, RangeCheckError for counts out of range or items past the buffer's end. Messages name
// the object and the byte offset. Bytes after the last declared object are allowed. Returns
// where the last object ends.
size_t ValidatePathSet(const FileBuffer& buffer);

// Replaces the document with the path set in the buffer, header words included; slots beyond
// each point count are zero afterwards. The buffer is validated and every allocation made before
// the document is touched, so a refused buffer leaves it as it was.
void ParseBuffer(const FileBuffer& buffer, tHeader& doc);

// Appends the objects of the path set in the buffer. Afterwards the leading word is the merged
// file's, the object count the sum and the last index the sum - 1. Merging a path set without
// objects into an empty document takes over the merged file's header words and then throws
// OverflowError, as no last index can be formed; any other failure changes nothing.
void MergeBuffer(const FileBuffer& buffer, tHeader& doc);

// One row of the object list: the object's number (from 1) and its displayed name.
struct ObjectRow {
  int number;
  std::string name;
};
std::vector<ObjectRow> ObjectListRows(const tHeader& doc);

// The serialised document as bytes, with the same checks as SerializeDocument.
std::vector<uint8_t> SerializeToBytes(const tHeader& doc);

}  // namespace qarn
