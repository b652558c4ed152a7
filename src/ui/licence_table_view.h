// The vehicle-licence table on the second page: its rows and columns from the two INI files,
// and the in-place editor 编辑框1 that a double-click opens over a cell. Enter or leaving the
// editor writes its text into the cell; scrolling the list hides it without writing; no key
// cancels. Nothing of the table is saved.
#pragma once

#include <QObject>

#include "app/licence_table.h"

class QLineEdit;
class QTreeWidget;

namespace textorin {

class LicenceTableView : public QObject {
    Q_OBJECT

  public:
    LicenceTableView(QTreeWidget* list, QLineEdit* editor);

    void set_up(const LicenceTable& table);

    // Every cell of the table, the header row first (UTF-8), for an export.
    std::vector<std::vector<std::string>> rows() const;

    // Opens the editor over the cell at a point of the list's viewport (what a double-click
    // does); the list's selection is cleared whether a row is hit or not.
    void begin_edit(QPoint viewport_point);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void write_back();
    int row_height() const;

    QTreeWidget* list_;
    QLineEdit* editor_;
    int hit_row_ = -1, hit_column_ = 0;    // the last double-click's cell
    int edit_row_ = -1, edit_column_ = 0;  // where the editor writes, set when it takes the focus
    bool abandoned_ = false;               // hidden by a scroll: its text is not written
};

}  // namespace textorin
