#include "ui/licence_table_view.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeWidget>

#include "ui/text_bridge.h"

namespace textorin {

LicenceTableView::LicenceTableView(QTreeWidget* list, QLineEdit* editor)
    : list_(list), editor_(editor) {
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->viewport()->installEventFilter(this);
    editor_->installEventFilter(this);
    for (QScrollBar* bar : {list_->horizontalScrollBar(), list_->verticalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (!editor_->isVisible()) return;
            abandoned_ = true;
            editor_->hide();
        });
    }
}

void LicenceTableView::set_up(const LicenceTable& table) {
    list_->clear();
    QStringList headers{QStringLiteral("行号"), QStringLiteral("标题"),
                        QStringLiteral("内容（各列表项都可以修改编辑，双击修改表项）")};
    for (const auto& column : table.columns)
        headers << to_qt(column.name);
    list_->setColumnCount(static_cast<int>(headers.size()));
    list_->setHeaderLabels(headers);
    const int widths[] = {40, 150, 300};
    for (int c = 0; c < list_->columnCount(); ++c)
        list_->setColumnWidth(c, c < 3 ? widths[c] : 100);
    for (std::size_t row = 0; row < table.titles.size(); ++row) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::number(row + 1));
        item->setText(1, to_qt(table.titles[row]));
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            item->setText(static_cast<int>(c) + 3, to_qt(table.columns[c].cells[row]));
    }
}

std::vector<std::vector<std::string>> LicenceTableView::rows() const {
    std::vector<std::vector<std::string>> rows(1);
    for (int c = 0; c < list_->columnCount(); ++c)
        rows[0].push_back(list_->headerItem()->text(c).toStdString());
    for (int r = 0; r < list_->topLevelItemCount(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < list_->columnCount(); ++c)
            rows.back().push_back(list_->topLevelItem(r)->text(c).toStdString());
    }
    return rows;
}

int LicenceTableView::row_height() const {
    // The distance between the first two rows; with fewer rows the list's own row height.
    if (list_->topLevelItemCount() >= 2)
        return list_->visualItemRect(list_->topLevelItem(1)).top() -
               list_->visualItemRect(list_->topLevelItem(0)).top();
    const int hint =
        list_->topLevelItemCount() ? list_->visualItemRect(list_->topLevelItem(0)).height() : 0;
    return hint > 0 ? hint : list_->fontMetrics().height() + 4;
}

void LicenceTableView::begin_edit(QPoint viewport_point) {
    const QModelIndex index = list_->indexAt(viewport_point);
    hit_row_ = index.isValid() ? index.row() : -1;
    hit_column_ = index.isValid() ? index.column() : 0;
    list_->clearSelection();
    list_->setCurrentItem(nullptr);
    if (hit_row_ < 0) return;
    const QRect cell = list_->visualRect(index);
    const QPoint top_left = list_->viewport()->mapTo(editor_->parentWidget(), cell.topLeft());
    editor_->setGeometry(top_left.x(), top_left.y(), list_->columnWidth(hit_column_),
                         row_height() + 1);
    editor_->setText(list_->topLevelItem(hit_row_)->text(hit_column_));
    abandoned_ = false;
    editor_->show();
    editor_->raise();
    editor_->setFocus();
    editor_->selectAll();
}

void LicenceTableView::write_back() {
    if (QTreeWidgetItem* item = list_->topLevelItem(edit_row_))
        item->setText(edit_column_, editor_->text());
}

bool LicenceTableView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        begin_edit(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }
    if (watched == editor_) {
        switch (event->type()) {
            case QEvent::FocusIn:
                edit_row_ = hit_row_, edit_column_ = hit_column_;
                break;
            case QEvent::FocusOut:
                if (!abandoned_) write_back();
                editor_->hide();
                break;
            case QEvent::KeyRelease: {
                const int key = static_cast<QKeyEvent*>(event)->key();
                if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                    editor_->hide();
                    write_back();
                }
                break;
            }
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace textorin
