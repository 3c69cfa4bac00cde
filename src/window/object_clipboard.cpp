#include "window/object_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>
#include <cmath>

#include "exchange/path_set_json.h"
#include "exchange/strict_json.h"

namespace qarn {

namespace {

// A path set, a list of objects or one object, as a whole path set; the header words do not
// matter to a paste, so they may be left out.
QJsonObject AsPathSet(const QJsonDocument& json) {
  QJsonObject root;
  if (json.isArray()) {
    root.insert(QStringLiteral("objects"), json.array());
  } else if (json.object().contains(QStringLiteral("objects"))) {
    root = json.object();
  } else if (json.isObject()) {
    root.insert(QStringLiteral("objects"), QJsonArray{json.object()});
  }
  for (const char* word : {"leadingWord", "lastIndex"}) {
    if (!root.contains(QLatin1String(word))) root.insert(QLatin1String(word), QStringLiteral("0"));
  }
  return root;
}

// The largest path set as 'dump --json' writes it (14 objects of 256 points with the longest
// numbers) is about LARGEST MB; text several times that, indented as any text editor may, still
// fits, and anything longer is refused before the parser spends seconds and memory on it.
constexpr qsizetype kMaxClipboardBytes = 8 * 1024 * 1024;

void CheckLength(qsizetype bytes) {
  if (bytes <= kMaxClipboardBytes) return;
  constexpr double kMegabyte = 1000 * 1000;
  throw PasteError(QStringLiteral("the clipboard holds %1 MB; objects of a path set as JSON take "
                                  "at most %2 MB.")
                       .arg(std::ceil(bytes / kMegabyte), 0, 'f', 0)
                       .arg(kMaxClipboardBytes / kMegabyte, 0, 'f', 0));
}

tHeader ObjectsOf(const QByteArray& text) {
  CheckLength(text.size());
  try {
    tHeader objects = PathSetFromJson(AsPathSet(ParseStrictJson(text)));
    if (objects.records.empty())
      throw PasteError(QStringLiteral("the clipboard holds no objects."));
    return objects;
  } catch (const PathSetJsonError& error) {
    throw PasteError(
        "the clipboard's text is not path-set JSON: " + QString::fromUtf8(error.what()) + '.');
  }
}

}  // namespace

QMimeData* ObjectClipboard::ToMimeData(const tHeader& objects) {
  const QByteArray json = QJsonDocument(PathSetToJson(objects)).toJson();
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kMimeType), json);
  data->setText(QString::fromUtf8(json));
  return data;
}

tHeader ObjectClipboard::FromMimeData(const QMimeData* data) {
  const QString ours = QString::fromLatin1(kMimeType);
  if (data && data->hasFormat(ours)) return ObjectsOf(data->data(ours));
  const QString text = data ? data->text() : QString();
  CheckLength(text.size());  // before trimming and converting copy it again
  if (text.trimmed().isEmpty()) throw PasteError(QStringLiteral("the clipboard holds no text."));
  return ObjectsOf(text.toUtf8());
}

void ObjectClipboard::Put(const tHeader& objects) {
  QGuiApplication::clipboard()->setMimeData(ToMimeData(objects));
}

tHeader ObjectClipboard::Take() {
  return FromMimeData(QGuiApplication::clipboard()->mimeData());
}

}  // namespace qarn
