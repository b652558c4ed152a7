// The vehicle-licence table as its two INI files lay it out: one row per title of the title
// file, one extra column per section of the export file.
#pragma once

#include <filesystem>
#include <vector>

#include "text/text.h"

namespace textorin {

struct LicenceColumn {
    Text name;                // the export section's name: the column header
    std::vector<Text> cells;  // one a row, from keys "1", "2", ...
};

struct LicenceTable {
    std::vector<Text> titles;  // rows, from keys "1", "2", ... of section "标题"
    std::vector<LicenceColumn> columns;
};

// Titles up to the first missing or empty key; columns in the export file's section order.
// Missing files give no rows or no columns.
LicenceTable load_licence_table(const std::filesystem::path& title_file,
                                const std::filesystem::path& export_file);

// The title file and the export file in the data folder.
std::filesystem::path licence_title_file(const std::filesystem::path& folder);
std::filesystem::path licence_export_file(const std::filesystem::path& folder);

}  // namespace textorin
