#include <QByteArray>
#include <QJsonArray>
#include <QLocale>
#include <algorithm>
#include <bit>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>

#include "document/errors.h"
#include "document/file_buffer.h"
#include "document/path_set_layout.h"
#include "exchange/path_set_json.h"
#include "exchange/record_text.h"

namespace qarn {

namespace {

QString Child(const QString& path, const QString& key) {
  return path.isEmpty() ? key : path + '.' + key;
}

QString Item(const QString& path, qsizetype index) {
  return path + '[' + QString::number(index) + ']';
}

[[noreturn]] void Fail(const QString& path, const QString& what) {
  throw PathSetJsonError((path + ": " + what).toStdString());
}

void CheckKeys(const QJsonObject& json, const QString& path,
               std::initializer_list<const char*> known) {
  for (const QString& key : json.keys()) {
    const auto same = [&key](const char* name) { return key == QLatin1String(name); };
    if (std::none_of(known.begin(), known.end(), same)) Fail(Child(path, key), "unknown key");
  }
}

QJsonValue Required(const QJsonObject& json, const QString& path, const QString& key) {
  if (!json.contains(key)) Fail(Child(path, key), QStringLiteral("missing"));
  return json.value(key);
}

QJsonObject ObjectAt(const QJsonValue& value, const QString& path) {
  if (!value.isObject()) Fail(path, QStringLiteral("expected an object"));
  return value.toObject();
}

QJsonArray ArrayAt(const QJsonObject& json, const QString& path, const QString& key) {
  const QJsonValue value = Required(json, path, key);
  if (!value.isArray()) Fail(Child(path, key), QStringLiteral("expected an array"));
  return value.toArray();
}

bool IsHexDigit(QChar c) {
  const char16_t u = c.unicode();
  return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

bool IsHex(const QJsonValue& value, int minDigits, int maxDigits) {
  const QString text = value.toString();
  if (!value.isString() || text.size() < minDigits || text.size() > maxDigits) return false;
  return std::all_of(text.begin(), text.end(), IsHexDigit);
}

uint32_t WordFrom(const QJsonValue& value, const QString& path) {
  if (!IsHex(value, 1, 8))
    Fail(path, QStringLiteral("expected a string of 1 to 8 hexadecimal digits"));
  return value.toString().toUInt(nullptr, 16);
}

uint32_t WordAt(const QJsonObject& json, const QString& path, const QString& key) {
  return WordFrom(Required(json, path, key), Child(path, key));
}

float SpeltFloat(const QString& text, const QString& path) {
  if (text == QLatin1String("nan")) return std::numeric_limits<float>::quiet_NaN();
  if (text == QLatin1String("inf")) return std::numeric_limits<float>::infinity();
  if (text == QLatin1String("-inf")) return -std::numeric_limits<float>::infinity();
  Fail(path, QStringLiteral("expected a number, \"nan\", \"inf\" or \"-inf\""));
}

// Numbers from here on round to infinity rather than to the largest float.
const double kFloatOverflow = std::ldexp(2.0 - std::ldexp(1.0, -24), 127);

float ReadableFloat(const QJsonValue& value, const QString& path) {
  if (value.isString()) return SpeltFloat(value.toString(), path);
  if (!value.isDouble()) Fail(path, QStringLiteral("expected a number"));
  const double number = value.toDouble();
  if (!(std::abs(number) < kFloatOverflow)) {
    Fail(path, QString::number(number, 'g', QLocale::FloatingPointShortest) +
                   " is outside the range of a 32-bit float");
  }
  // The shortest text of the largest float lies just above it; converting a double beyond the
  // float range is undefined, so those are clamped by hand.
  const float largest = std::numeric_limits<float>::max();
  if (std::abs(number) > largest) return number > 0 ? largest : -largest;
  return static_cast<float>(number);
}

bool SameValue(float a, float b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

float FloatAt(const QJsonObject& json, const QString& path, const QString& key) {
  const QString bitsKey = key + "Bits";
  if (!json.contains(bitsKey)) return ReadableFloat(Required(json, path, key), Child(path, key));
  const uint32_t bits = WordFrom(json.value(bitsKey), Child(path, bitsKey));
  const float exact = std::bit_cast<float>(bits);
  if (!json.contains(key)) return exact;
  const float readable = ReadableFloat(json.value(key), Child(path, key));
  if (!SameValue(readable, exact)) {
    Fail(Child(path, key), FloatText(readable) + " does not match " + bitsKey + ' ' +
                               HexWord(bits) + " (" + FloatText(exact) + ')');
  }
  return exact;
}

tPoint PointFrom(const QJsonValue& value, const QString& path) {
  const QJsonObject json = ObjectAt(value, path);
  CheckKeys(json, path, {"flags", "x", "xBits", "y", "yBits", "z", "zBits"});
  // Braced initialisers run left to right, so the first bad field is the one reported.
  return tPoint{WordAt(json, path, QStringLiteral("flags")),
                FloatAt(json, path, QStringLiteral("x")), FloatAt(json, path, QStringLiteral("y")),
                FloatAt(json, path, QStringLiteral("z"))};
}

void ReadPoints(const QJsonObject& json, const QString& path, tDesc& record) {
  const QJsonArray points = ArrayAt(json, path, QStringLiteral("points"));
  const QString where = Child(path, QStringLiteral("points"));
  WithPlace(where.toStdString(), [&] { CheckPointCount(static_cast<uint64_t>(points.size())); });
  record.pointCount = static_cast<uint32_t>(points.size());
  for (qsizetype j = 0; j < points.size(); ++j) {
    record.Point(static_cast<int>(j) + 1) = PointFrom(points.at(j), Item(where, j));
  }
}

std::array<uint8_t, kNameBytes> NameFromBytes(const QJsonValue& value, const QString& path) {
  if (!IsHex(value, 2 * kNameBytes, 2 * kNameBytes)) {
    Fail(path, QStringLiteral("expected a string of 64 hexadecimal digits"));
  }
  const QByteArray bytes = QByteArray::fromHex(value.toString().toLatin1());
  std::array<uint8_t, kNameBytes> name{};
  std::copy(bytes.begin(), bytes.end(), name.begin());
  return name;
}

std::array<uint8_t, kNameBytes> NameFromText(const QJsonValue& value, const QString& path) {
  if (!value.isString()) Fail(path, QStringLiteral("expected a string"));
  const QString text = value.toString();
  if (text.size() > kNameBytes) Fail(path, QStringLiteral("longer than 32 characters"));
  std::array<uint8_t, kNameBytes> name{};
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t code = text.at(i).unicode();
    if (code == 0 || code > 0xFF) {
      const QString hex = QString::number(code, 16).rightJustified(4, u'0').toUpper();
      Fail(path, "character U+" + hex + " cannot be part of a name");
    }
    name[static_cast<size_t>(i)] = static_cast<uint8_t>(code);
  }
  return name;
}

void ReadName(const QJsonObject& json, const QString& path, tDesc& record) {
  const QString nameKey = QStringLiteral("name"), bytesKey = QStringLiteral("nameBytes");
  if (!json.contains(bytesKey)) {
    record.name = NameFromText(Required(json, path, nameKey), Child(path, nameKey));
    return;
  }
  record.name = NameFromBytes(json.value(bytesKey), Child(path, bytesKey));
  if (!json.contains(nameKey)) return;
  tDesc readable;
  readable.name = NameFromText(json.value(nameKey), Child(path, nameKey));
  if (readable.DisplayName() != record.DisplayName()) {
    Fail(Child(path, nameKey), QStringLiteral("does not match nameBytes"));
  }
}

std::unique_ptr<tDesc> ObjectFrom(const QJsonValue& value, const QString& path) {
  const QJsonObject json = ObjectAt(value, path);
  CheckKeys(json, path, {"name", "nameBytes", "headWord", "points", "trailerWord"});
  auto record = std::make_unique<tDesc>();
  ReadName(json, path, *record);
  record->headWord = WordAt(json, path, QStringLiteral("headWord"));
  ReadPoints(json, path, *record);
  record->trailerWord = WordAt(json, path, QStringLiteral("trailerWord"));
  return record;
}

// Stops at the first object that no longer fits a path set, before thousands of records of
// 4 KB each are built for a document that could never be written.
void ReadObjects(const QJsonArray& objects, tHeader& doc) {
  size_t bytes = layout::kHeaderBytes;
  for (qsizetype k = 0; k < objects.size(); ++k) {
    const QString where = Item(QStringLiteral("objects"), k);
    doc.records.push_back(ObjectFrom(objects.at(k), where));
    bytes += layout::BlockBytes(doc.records.back()->pointCount);
    if (bytes > static_cast<size_t>(kMaxDocumentBytes)) {
      Fail(where,
           QStringLiteral("the path set would be longer than %1 bytes").arg(kMaxDocumentBytes));
    }
  }
  doc.objectCount = static_cast<uint32_t>(doc.records.size());
}

}  // namespace

tHeader PathSetFromJson(const QJsonObject& root) {
  CheckKeys(root, QString(), {"leadingWord", "lastIndex", "objects"});
  tHeader doc;
  doc.leadingWord = WordAt(root, QString(), QStringLiteral("leadingWord"));
  doc.lastIndex = WordAt(root, QString(), QStringLiteral("lastIndex"));
  ReadObjects(ArrayAt(root, QString(), QStringLiteral("objects")), doc);
  return doc;
}

}  // namespace qarn
