#include "exchange/strict_json.h"

#include <QJsonArray>
#include <QSet>
#include <QString>
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "exchange/path_set_json.h"

namespace qarn {

namespace {

// Any negative double below half the smallest float becomes -0.0f, the sign kept.
constexpr QByteArrayView kSignedZero = "-1e-300";

bool OneOf(char c, const char* set) {
  return c != '\0' && std::strchr(set, c) != nullptr;
}

bool IsNegativeZero(QByteArrayView number) {
  if (!number.startsWith('-')) return false;
  for (const char c : number.sliced(1)) {
    if (c == 'e' || c == 'E') break;
    if (c != '0' && c != '.') return false;
  }
  return true;
}

// Walks text that Qt's parser has accepted already. It still never reads past the end and
// always moves on, whatever it meets.
class JsonScanner {
 public:
  explicit JsonScanner(QByteArrayView text) : text_(text) {}

  void Value(const QString& path) {
    SkipSpace();
    switch (Peek()) {
      case '{':
        return Object(path);
      case '[':
        return Array(path);
      case '"':
        String();
        return;
      default:
        return Scalar();
    }
  }

  // Start and length of each number literal that is a negative zero.
  std::vector<std::pair<qsizetype, qsizetype>> negativeZeros;

 private:
  void Object(const QString& path) {
    ++at_;  // {
    QSet<QString> keys;
    for (SkipSpace(); Peek() != '}' && !AtEnd(); SkipSpace()) {
      if (Peek() == ',') Skip();
      const QString key = String();
      const QString where = path.isEmpty() ? key : path + '.' + key;
      if (keys.contains(key)) {
        throw PathSetJsonError((where + ": the key is given twice in one object").toStdString());
      }
      keys.insert(key);
      Skip();  // :
      Value(where);
    }
    ++at_;  // }
  }

  void Array(const QString& path) {
    ++at_;  // [
    qsizetype index = 0;
    for (SkipSpace(); Peek() != ']' && !AtEnd(); SkipSpace()) {
      if (Peek() == ',') Skip();
      Value(path + '[' + QString::number(index++) + ']');
    }
    ++at_;  // ]
  }

  // The string at the cursor, its escapes decoded, so "\u0078" and "x" are the same key.
  QString String() {
    const qsizetype start = at_;
    for (++at_; Peek() != '"' && !AtEnd(); ++at_) {
      if (Peek() == '\\') ++at_;  // the escaped character cannot end the string
    }
    ++at_;
    const QByteArrayView quoted = Span(start, at_);
    if (quoted.size() < 2) return {};
    if (!quoted.contains('\\')) return QString::fromUtf8(quoted.sliced(1, quoted.size() - 2));
    // Escapes are rare in keys; Qt's parser decodes them.
    return QJsonDocument::fromJson('[' + quoted.toByteArray() + ']').array().at(0).toString();
  }

  // A number, true, false or null.
  void Scalar() {
    const qsizetype start = at_;
    ++at_;
    while (OneOf(Peek(), "+-.0123456789eEtruefalsn")) ++at_;
    if (IsNegativeZero(Span(start, at_))) negativeZeros.emplace_back(start, at_ - start);
  }

  void Skip() {
    ++at_;
    SkipSpace();
  }

  void SkipSpace() {
    while (OneOf(Peek(), " \t\r\n")) ++at_;
  }

  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  // Bytes [from, to), cut to the text.
  QByteArrayView Span(qsizetype from, qsizetype to) const {
    from = std::min(from, text_.size());
    return text_.sliced(from, std::clamp(to, from, text_.size()) - from);
  }

  QByteArrayView text_;
  qsizetype at_ = 0;
};

QByteArray WithSignedZeros(QByteArrayView text,
                           const std::vector<std::pair<qsizetype, qsizetype>>& zeros) {
  QByteArray result;
  qsizetype copied = 0;
  for (const auto& [start, length] : zeros) {
    result += text.sliced(copied, start - copied);
    result += kSignedZero;
    copied = start + length;
  }
  result += text.sliced(copied);
  return result;
}

}  // namespace

QJsonDocument ParseStrictJson(QByteArrayView text) {
  const QByteArrayView mark = "\xEF\xBB\xBF";
  const qsizetype skipped = text.startsWith(mark) ? mark.size() : 0;
  text = text.sliced(skipped);
  QJsonParseError error;
  const QJsonDocument json = QJsonDocument::fromJson(text.toByteArray(), &error);
  if (error.error != QJsonParseError::NoError) {
    throw PathSetJsonError(QStringLiteral("not valid JSON at byte %1: %2")
                               .arg(error.offset + skipped)
                               .arg(error.errorString())
                               .toStdString());
  }
  JsonScanner scanner(text);
  scanner.Value(QString());
  if (scanner.negativeZeros.empty()) return json;
  return QJsonDocument::fromJson(WithSignedZeros(text, scanner.negativeZeros));
}

}  // namespace qarn
