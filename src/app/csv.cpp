#include "app/csv.h"

namespace textorin {

std::string to_csv(const std::vector<std::vector<std::string>>& rows) {
    std::string out = "\xEF\xBB\xBF";
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) out += ',';
            const std::string& field = row[i];
            if (field.find_first_of(",\"\r\n") == std::string::npos) {
                out += field;
                continue;
            }
            out += '"';
            for (char c : field) {
                if (c == '"') out += '"';
                out += c;
            }
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace textorin
