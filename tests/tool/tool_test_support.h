#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "document/path_set_codec.h"
#include "document/path_set_records.h"
#include "tool/tool.h"

// Shows QStrings as text in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace qarn::test {

// What one run of the tool printed and returned.
struct ToolRun {
  int status = -1;
  QString out;
  QString err;
};

inline ToolRun Invoke(const QStringList& args) {
  ToolRun run;
  run.status = RunTool(args, &run.out, &run.err);
  return run;
}

// Appends an object whose points have distinct values: point j of an object with head word h has
// flags h * 1000 + j, x = j + 0.5, y = -j / 4, z = 1000 - j.
inline tDesc& AddObject(tHeader& doc, std::string_view name, int points, uint32_t headWord = 0,
                        uint32_t trailerWord = 0) {
  tDesc& record = doc.InsertNew(static_cast<int>(doc.objectCount) + 1);
  std::copy(name.begin(), name.end(), record.name.begin());
  record.pointCount = static_cast<uint32_t>(points);
  record.headWord = headWord;
  record.trailerWord = trailerWord;
  for (int j = 1; j <= points; ++j) {
    record.Point(j) = {headWord * 1000u + static_cast<uint32_t>(j), j + 0.5f, -j / 4.0f,
                       1000.0f - static_cast<float>(j)};
  }
  return record;
}

inline QByteArray ToBytes(const std::vector<uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

inline QByteArray ImageOf(const tHeader& doc) {
  return ToBytes(SerializeToBytes(doc));
}

inline void PutWord(QByteArray& bytes, qsizetype offset, uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(word >> (8 * i));
}

// Files in a fresh temporary directory.
class ToolTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }

  QString Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return Path(name);
  }

  QString WriteDoc(const QString& name, const tHeader& doc) const {
    return Write(name, ImageOf(doc));
  }

  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace qarn::test
