#include "app/licence_table.h"

#include "platform/codepage.h"
#include "platform/profile.h"

namespace textorin {

LicenceTable load_licence_table(const std::filesystem::path& title_file,
                                const std::filesystem::path& export_file) {
    LicenceTable table;
    static const Text section = gbk("标题");
    for (int n = 1;; ++n) {
        Text title = read_profile(title_file, section, std::to_string(n));
        if (title.empty()) break;
        table.titles.push_back(std::move(title));
    }
    for (Text& name : profile_section_names(export_file)) {
        LicenceColumn column{std::move(name), {}};
        for (std::size_t row = 1; row <= table.titles.size(); ++row)
            column.cells.push_back(read_profile(export_file, column.name, std::to_string(row)));
        table.columns.push_back(std::move(column));
    }
    return table;
}

std::filesystem::path licence_title_file(const std::filesystem::path& folder) {
    return folder / std::filesystem::path(u8"行驶证标题设置.ini");
}

std::filesystem::path licence_export_file(const std::filesystem::path& folder) {
    return folder / std::filesystem::path(u8"行驶证导出设置.ini");
}

}  // namespace textorin
