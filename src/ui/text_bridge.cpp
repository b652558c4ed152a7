#include "ui/text_bridge.h"

#include "platform/codepage.h"

namespace textorin {

QString to_qt(std::string_view text) {
    const std::u16string wide = gbk_to_utf16(text);
    QString out;
    out.reserve(static_cast<qsizetype>(wide.size()));
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == u'\r') {
            out += QChar(u'\n');
            if (i + 1 < wide.size() && wide[i + 1] == u'\n') ++i;
        } else {
            out += QChar(wide[i]);
        }
    }
    return out;
}

Text from_qt(const QString& text) {
    std::u16string wide;
    wide.reserve(static_cast<std::size_t>(text.size()) + 16);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == 0x2029 || u == 0x2028) {
            wide += u"\r\n";
        } else if (u != u'\r') {
            wide += u;
        }
    }
    return utf16_to_gbk(wide);
}

}  // namespace textorin
