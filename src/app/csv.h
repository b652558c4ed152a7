// Comma-separated values for spreadsheets: UTF-8 with a byte-order mark (so a spreadsheet keeps
// the Chinese intact), fields quoted when they hold a comma, a quote or a line break.
#pragma once

#include <string>
#include <vector>

namespace textorin {

std::string to_csv(const std::vector<std::vector<std::string>>& rows_utf8);

}  // namespace textorin
