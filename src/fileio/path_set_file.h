#pragma once

#include <QString>

#include "document/file_buffer.h"
#include "document/path_set_records.h"

// Path-set files on disk. Every message these functions raise starts with the file's name and
// keeps the error's type ("roads.pathset: Range check error: object 2 at byte 136 ...").
namespace qarn {

// Reads the file whole into the buffer. InOutError names the file and the system's reason; a
// folder, FIFO, socket or device is refused before it is opened, and a file larger than the
// buffer with RangeCheckError before anything is read. The buffer changes only when the whole
// file was read.
void ReadPathSetFile(const QString& path, FileBuffer& buffer);

// Reads and parses the file into a fresh document, which it returns. On success the buffer holds
// the file's bytes; on failure the buffer is unchanged.
tHeader LoadPathSetFile(const QString& path, FileBuffer& buffer);

// Appends the file's objects to the document, then serialises the document into the buffer and
// parses it back. On failure the document and the buffer are unchanged, except that merging a
// file without objects into an empty document takes over the file's header words before it
// throws OverflowError.
void MergePathSetFile(const QString& path, FileBuffer& buffer, tHeader& doc);

// Writes bytes [0, usedLength) with WriteFileSafely: a failure leaves the old file (or none) in
// place and says why.
void WritePathSetFile(const QString& path, const FileBuffer& buffer);

}  // namespace qarn
