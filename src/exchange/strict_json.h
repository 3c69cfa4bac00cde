#pragma once

#include <QByteArrayView>
#include <QJsonDocument>

namespace qarn {

// Parses JSON text with Qt's parser and closes what that parser lets pass silently: a UTF-8
// byte-order mark in front is skipped; a key given twice in one object (Qt keeps the last one)
// is refused; a negative zero ("-0", "-0.0") keeps its sign, which Qt drops.
// Throws PathSetJsonError "not valid JSON at byte 17: ..." (bytes of the file, mark included), or
// "objects[0].points[1].x: the key is given twice in one object" (arrays counted from 0).
QJsonDocument ParseStrictJson(QByteArrayView text);

}  // namespace qarn
