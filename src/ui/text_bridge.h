// The edge between the core's texts (GBK, CR LF line breaks) and Qt's strings (UTF-16, one
// "\n" per line break; a selection reports its breaks as U+2029).
#pragma once

#include <QString>

#include "text/text.h"

namespace textorin {

QString to_qt(std::string_view text);  // CR LF (and a lone CR or LF) become "\n"
Text from_qt(const QString& text);     // "\n", U+2029 and U+2028 become CR LF

}  // namespace textorin
