#include <QByteArray>
#include <QJsonArray>
#include <algorithm>
#include <bit>
#include <cmath>

#include "exchange/path_set_json.h"
#include "exchange/record_text.h"

namespace qarn {

namespace {

// JSON has no NaN or infinity, so those are spelt out; the bits beside them are exact anyway.
// Finite values are the float's shortest text ("0.1", not 0.10000000149011612), which still reads
// back as the same float.
QJsonValue ReadableFloat(float value) {
  if (std::isnan(value)) return QStringLiteral("nan");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
  return FloatText(value).toDouble();
}

void PutFloat(QJsonObject& point, const QString& key, float value) {
  point.insert(key, ReadableFloat(value));
  point.insert(key + "Bits", HexWord(std::bit_cast<uint32_t>(value)));
}

}  // namespace

QJsonObject PointToJson(const tPoint& point) {
  QJsonObject json{{QStringLiteral("flags"), HexWord(point.flags)}};
  PutFloat(json, QStringLiteral("x"), point.x);
  PutFloat(json, QStringLiteral("y"), point.y);
  PutFloat(json, QStringLiteral("z"), point.z);
  return json;
}

QJsonObject ObjectToJson(const tDesc& record) {
  const QByteArray nameBytes(reinterpret_cast<const char*>(record.name.data()), kNameBytes);
  QJsonArray points;
  const auto count = static_cast<int>(std::min<uint32_t>(record.pointCount, kMaxPoints));
  for (int k = 1; k <= count; ++k) points.append(PointToJson(record.Point(k)));
  return {{QStringLiteral("name"), NameText(record)},
          {QStringLiteral("nameBytes"), QString::fromLatin1(nameBytes.toHex().toUpper())},
          {QStringLiteral("headWord"), HexWord(record.headWord)},
          {QStringLiteral("points"), points},
          {QStringLiteral("trailerWord"), HexWord(record.trailerWord)}};
}

QJsonObject PathSetToJson(const tHeader& doc) {
  QJsonArray objects;
  for (const auto& record : doc.records) objects.append(ObjectToJson(*record));
  return {{QStringLiteral("leadingWord"), HexWord(doc.leadingWord)},
          {QStringLiteral("lastIndex"), HexWord(doc.lastIndex)},
          {QStringLiteral("objects"), objects}};
}

}  // namespace qarn
