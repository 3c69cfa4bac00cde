#include "tool/diff_report.h"

#include <QJsonArray>
#include <QStringList>
#include <bit>

#include "exchange/path_set_json.h"
#include "exchange/record_text.h"

namespace qarn {

namespace {

QString Word(const WordChange& change, uint32_t value) {
  return change.word == "object count" ? QString::number(value) : HexWord(value);
}

QString WordLine(const WordChange& change) {
  return QString::fromStdString(change.word) + ' ' + Word(change, change.before) + " -> " +
         Word(change, change.after);
}

QString NameBytes(const tDesc& record) {
  const QByteArray bytes(reinterpret_cast<const char*>(record.name.data()), kNameBytes);
  return QString::fromLatin1(bytes.toHex().toUpper());
}

// A float's text, with its bits when the text alone would hide the change (two NaNs).
QString FloatChange(float before, float after) {
  QString from = FloatText(before), to = FloatText(after);
  if (from == to) {
    from += " (" + HexWord(std::bit_cast<uint32_t>(before)) + ')';
    to += " (" + HexWord(std::bit_cast<uint32_t>(after)) + ')';
  }
  return from + " -> " + to;
}

QString PointValues(const tPoint& p) {
  return "flags " + HexWord(p.flags) + "  x " + FloatText(p.x) + "  y " + FloatText(p.y) + "  z " +
         FloatText(p.z);
}

QString ChangedFields(const tPoint& p, const tPoint& q) {
  QStringList fields;
  if (p.flags != q.flags) fields << "flags " + HexWord(p.flags) + " -> " + HexWord(q.flags);
  const auto differs = [](float u, float v) {
    return std::bit_cast<uint32_t>(u) != std::bit_cast<uint32_t>(v);
  };
  if (differs(p.x, q.x)) fields << "x " + FloatChange(p.x, q.x);
  if (differs(p.y, q.y)) fields << "y " + FloatChange(p.y, q.y);
  if (differs(p.z, q.z)) fields << "z " + FloatChange(p.z, q.z);
  return fields.join(QStringLiteral(", "));
}

QString PointLine(const PointChange& change) {
  const QString head = "  point " + QString::number(change.number) + ": ";
  switch (change.kind) {
    case PointChange::Kind::Added:
      return head + "added: " + PointValues(change.after) + '\n';
    case PointChange::Kind::Removed:
      return head + "removed: " + PointValues(change.before) + '\n';
    case PointChange::Kind::Changed:
      break;
  }
  return head + ChangedFields(change.before, change.after) + '\n';
}

QString Numbers(const ObjectChange& change) {
  if (change.Added()) return QString::number(change.after);
  if (change.Removed() || change.before == change.after) return QString::number(change.before);
  return QString::number(change.before) + " -> " + QString::number(change.after);
}

QString Renaming(const tDesc& before, const tDesc& after) {
  if (QuotedName(before) != QuotedName(after)) return "renamed to " + QuotedName(after);
  return "renamed: name bytes " + NameBytes(before) + " -> " + NameBytes(after);
}

QString Summary(const ObjectChange& change, const tDesc& before, const tDesc& after) {
  QStringList what;
  if (change.moved) what << QStringLiteral("moved");
  if (change.renamed) what << Renaming(before, after);
  if (!change.words.empty()) what << QStringLiteral("words changed");
  if (!change.points.empty()) what << QStringLiteral("points changed");
  return what.join(QStringLiteral(", "));
}

QString PairedText(const ObjectChange& change, const tHeader& a, const tHeader& b) {
  const tDesc& before = a.Object(change.before);
  const tDesc& after = b.Object(change.after);
  QString text = "object " + Numbers(change) + ' ' + QuotedName(before) + ": " +
                 Summary(change, before, after) + '\n';
  for (const WordChange& word : change.words) text += "  " + WordLine(word) + '\n';
  for (const PointChange& point : change.points) text += PointLine(point);
  return text;
}

QString OneSidedText(const QString& what, int number, const tDesc& record) {
  return "object " + QString::number(number) + ' ' + QuotedName(record) + ": " + what + " (" +
         QString::number(record.pointCount) + " points)\n";
}

QString ObjectText(const ObjectChange& change, const tHeader& a, const tHeader& b) {
  if (change.Added()) return OneSidedText("added", change.after, b.Object(change.after));
  if (change.Removed()) return OneSidedText("removed", change.before, a.Object(change.before));
  return PairedText(change, a, b);
}

// "leading word" -> "leadingWord", the keys of the path-set JSON.
QString Key(const std::string& word) {
  const QStringList parts = QString::fromStdString(word).split(' ');
  QString key = parts.first();
  for (qsizetype i = 1; i < parts.size(); ++i) key += parts[i].left(1).toUpper() + parts[i].mid(1);
  return key;
}

QJsonValue WordJson(const WordChange& change, uint32_t value) {
  if (change.word == "object count") return static_cast<qint64>(value);
  return HexWord(value);
}

QJsonArray WordsJson(const std::vector<WordChange>& words) {
  QJsonArray array;
  for (const WordChange& word : words) {
    array.append(QJsonObject{{QStringLiteral("word"), Key(word.word)},
                             {QStringLiteral("before"), WordJson(word, word.before)},
                             {QStringLiteral("after"), WordJson(word, word.after)}});
  }
  return array;
}

QJsonObject PointJson(const PointChange& change) {
  using Kind = PointChange::Kind;
  static const char* const kKinds[] = {"added", "removed", "changed"};
  QJsonObject json{{QStringLiteral("point"), change.number},
                   {QStringLiteral("change"), kKinds[static_cast<int>(change.kind)]}};
  if (change.kind != Kind::Added) json.insert(QStringLiteral("before"), PointToJson(change.before));
  if (change.kind != Kind::Removed) json.insert(QStringLiteral("after"), PointToJson(change.after));
  return json;
}

QJsonObject BeforeAfter(const QString& before, const QString& after) {
  return {{QStringLiteral("before"), before}, {QStringLiteral("after"), after}};
}

QJsonObject PairedJson(const ObjectChange& change, const tDesc& before, const tDesc& after) {
  QJsonArray points;
  for (const PointChange& point : change.points) points.append(PointJson(point));
  QJsonObject json{{QStringLiteral("change"), QStringLiteral("changed")},
                   {QStringLiteral("before"), change.before},
                   {QStringLiteral("after"), change.after},
                   {QStringLiteral("moved"), change.moved},
                   {QStringLiteral("renamed"), change.renamed},
                   {QStringLiteral("name"), BeforeAfter(NameText(before), NameText(after))},
                   {QStringLiteral("words"), WordsJson(change.words)},
                   {QStringLiteral("points"), points}};
  if (change.renamed) {
    json.insert(QStringLiteral("nameBytes"), BeforeAfter(NameBytes(before), NameBytes(after)));
  }
  return json;
}

QJsonObject OneSidedJson(const QString& what, const QString& side, int number,
                         const tDesc& record) {
  return {{QStringLiteral("change"), what}, {side, number}, {"object", ObjectToJson(record)}};
}

QJsonObject ObjectJson(const ObjectChange& change, const tHeader& a, const tHeader& b) {
  if (change.Added()) {
    return OneSidedJson("added", QStringLiteral("after"), change.after, b.Object(change.after));
  }
  if (change.Removed()) {
    return OneSidedJson("removed", QStringLiteral("before"), change.before,
                        a.Object(change.before));
  }
  return PairedJson(change, a.Object(change.before), b.Object(change.after));
}

}  // namespace

QString DiffText(const PathSetDiff& diff, const tHeader& a, const tHeader& b) {
  QString text;
  for (const WordChange& word : diff.header) text += "header: " + WordLine(word) + '\n';
  for (const ObjectChange& change : diff.objects) text += ObjectText(change, a, b);
  return text;
}

QJsonObject DiffJson(const PathSetDiff& diff, const tHeader& a, const tHeader& b) {
  QJsonArray objects;
  for (const ObjectChange& change : diff.objects) objects.append(ObjectJson(change, a, b));
  return {{QStringLiteral("equal"), diff.Equal()},
          {QStringLiteral("header"), WordsJson(diff.header)},
          {QStringLiteral("objects"), objects}};
}

}  // namespace qarn
