#include "ui/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "ui/browser_box.h"

namespace textorin {
namespace {

constexpr const char* kDesignRect = "textorinDesignRect";

template <class W, class... Args>
W* make(QWidget* parent, const char* name, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromUtf8(name));
    return w;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("TextorinV2.4-屏幕取字翻译"));
    setFixedSize(kWidth, kHeight);
    move(50, 50);

    notice = make<QLabel>(this, "标签1",
                          QStringLiteral("提示：最新版无需更新！如果学习有止境，选择有预见，就不会"
                                         "在风中迷茫，在阳光下寻找答案！"));
    notice->setGeometry(0, 2, 784, 30);
    browser = make<BrowserBox>(this, "超文本浏览框1");
    browser->setGeometry(-1, 32, 897, 300);
    picture = make<QLabel>(this, "图片框1");
    picture->setGeometry(1, 34, 895, 294);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setAutoFillBackground(true);
    picture->hide();
    settings = make<QPushButton>(this, "按钮设置", QStringLiteral("自定义快捷键"));
    settings->setGeometry(788, 0, 104, 32);

    tabs = make<QTabWidget>(this, "选择夹1");
    tabs->setGeometry(0, 328, 896, 344);
    // The design places the pages' controls from y = 23: the tab bar must fit above that.
    tabs->setStyleSheet(QStringLiteral("QTabBar::tab { height: 20px; padding: 0 10px; }"));
    auto* text_page = new QWidget;
    auto* licence_page = new QWidget;
    tabs->addTab(text_page, QStringLiteral("文本识别"));
    tabs->addTab(licence_page, QStringLiteral("证件识别(未完成)"));
    status = make<QLabel>(this, "标签状态", QStringLiteral("状态："));
    status->setGeometry(569, 328, 320, 16);
    status->raise();

    source = make<QPlainTextEdit>(text_page, "编辑框_源");
    place_on_page(source, text_page, 0, 23, 759, 153);
    translation = make<QPlainTextEdit>(text_page, "编辑框_翻译",
                                       QStringLiteral("译文显示在这里。在上面的原文里选中一部分再点"
                                                      "“翻译”，就只翻译选中的文字。"));
    place_on_page(translation, text_page, 0, 183, 759, 153);
    capture = make<QPushButton>(text_page, "按钮截图", QStringLiteral("截图识别"));
    place_on_page(capture, text_page, 763, 23, 125, 57);
    coordinate_group = make<QGroupBox>(text_page, "分组框1", QStringLiteral("坐标式左上XY右下XY"));
    place_on_page(coordinate_group, text_page, 763, 81, 125, 80);
    coordinates =
        make<QLineEdit>(coordinate_group, "编辑框坐标", QStringLiteral("100|100|1000|200"));
    coordinates->setGeometry(8, 16, 109, 20);
    sync_coordinates =
        make<QCheckBox>(coordinate_group, "选择框坐标同步", QStringLiteral("截图坐标同步"));
    sync_coordinates->setGeometry(8, 37, 109, 16);
    coordinate_capture =
        make<QPushButton>(coordinate_group, "按钮坐标截图", QStringLiteral("取坐标图识别"));
    coordinate_capture->setGeometry(6, 53, 112, 24);
    copy = make<QPushButton>(text_page, "按钮_复制", QStringLiteral("复制"));
    place_on_page(copy, text_page, 763, 160, 125, 23);
    clear = make<QPushButton>(text_page, "按钮_清除", QStringLiteral("清除"));
    place_on_page(clear, text_page, 763, 184, 125, 23);
    translate = make<QPushButton>(text_page, "按钮_翻译", QStringLiteral("翻译(可选字符)"));
    place_on_page(translate, text_page, 763, 208, 125, 23);
    full_width = make<QPushButton>(text_page, "按钮_全角符号", QStringLiteral("全角符号"));
    place_on_page(full_width, text_page, 763, 232, 61, 23);
    half_width = make<QPushButton>(text_page, "按钮_半角符号", QStringLiteral("半角符号"));
    place_on_page(half_width, text_page, 824, 232, 64, 23);
    merge_text = make<QCheckBox>(text_page, "选择框文本合并", QStringLiteral("识别文本合并"));
    place_on_page(merge_text, text_page, 763, 268, 109, 16);
    sync_clipboard = make<QCheckBox>(text_page, "选择框同步剪切板", QStringLiteral("同步剪切板"));
    place_on_page(sync_clipboard, text_page, 763, 288, 80, 17);
    recognition = make<QComboBox>(text_page, "组合框识别");
    recognition->addItems(
        {QStringLiteral("高精度识别"), QStringLiteral("普通识别"), QStringLiteral("手写识别")});
    place_on_page(recognition, text_page, 763, 312, 96, 20);

    licence_table = make<QTreeWidget>(licence_page, "超级列表框1");
    licence_table->setRootIsDecorated(false);
    licence_table->setUniformRowHeights(true);
    licence_table->header()->setStretchLastSection(false);
    licence_table->setHeaderHidden(false);
    place_on_page(licence_table, licence_page, 0, 24, 752, 312);
    cell_editor = make<QLineEdit>(licence_page, "编辑框1");
    place_on_page(cell_editor, licence_page, 592, 208, 144, 14);
    cell_editor->hide();
    licence_front =
        make<QPushButton>(licence_page, "按钮正面截图", QStringLiteral("正面截图并识别"));
    place_on_page(licence_front, licence_page, 768, 23, 112, 49);
    licence_back =
        make<QPushButton>(licence_page, "按钮副面截图", QStringLiteral("副面截图并识别"));
    place_on_page(licence_back, licence_page, 768, 80, 112, 48);
    export_table = make<QPushButton>(licence_page, "按钮_导出", QStringLiteral("导出"));
    place_on_page(export_table, licence_page, 768, 135, 112, 32);

    for (QWidget* page : {text_page, licence_page})
        page->installEventFilter(this);
}

void MainWindow::place_on_page(QWidget* control, QWidget* page, int x, int y, int w, int h) {
    control->setProperty(kDesignRect, QRect(x, y, w, h));
    control->setGeometry(QRect(x, y, w, h).translated(-page->mapTo(tabs, QPoint(0, 0))));
}

void MainWindow::place_page_controls(QWidget* laid_out) {
    // All pages share one place in the tab control; a hidden page hears of it only when shown.
    const QPoint offset = laid_out->mapTo(tabs, QPoint(0, 0));
    for (int i = 0; i < tabs->count(); ++i) {
        for (QObject* child : tabs->widget(i)->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            const QVariant rect = control ? control->property(kDesignRect) : QVariant();
            if (rect.isValid()) control->setGeometry(rect.toRect().translated(-offset));
        }
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        place_page_controls(static_cast<QWidget*>(watched));
    return QWidget::eventFilter(watched, event);
}

}  // namespace textorin
