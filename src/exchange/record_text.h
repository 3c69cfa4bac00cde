#pragma once

#include <QString>
#include <cstdint>

#include "document/path_set_records.h"

// How words, floats and names are written as text, the same in qarn-tool's output, its JSON and
// the editor's clipboard, in every locale.
namespace qarn {

// 8 upper-case hexadecimal digits.
QString HexWord(uint32_t word);

// The shortest text that reads back as the same float ("0.1", "-0", "3.4028235e+38", "nan",
// "-inf"), with a decimal point whatever the locale.
QString FloatText(float value);

// The displayed name (bytes before the first zero, one character per byte) as Latin-1 text.
QString NameText(const tDesc& record);

// The displayed name in double quotes, with quotes, backslashes and control bytes escaped so a
// name can never garble the terminal or the column layout.
QString QuotedName(const tDesc& record);

}  // namespace qarn
