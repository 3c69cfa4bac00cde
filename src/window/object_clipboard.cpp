#include "window/object_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

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

tHeader ObjectsOf(const QByteArray& text) {
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
  if (!data || data->text().trimmed().isEmpty()) {
    throw PasteError(QStringLiteral("the clipboard holds no text."));
  }
  return ObjectsOf(data->text().toUtf8());
}

void ObjectClipboard::Put(const tHeader& objects) {
  QGuiApplication::clipboard()->setMimeData(ToMimeData(objects));
}

tHeader ObjectClipboard::Take() {
  return FromMimeData(QGuiApplication::clipboard()->mimeData());
}

}  // namespace qarn
