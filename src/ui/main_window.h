// The main window: its controls at their design places, named by their design names. It only
// builds itself; what the controls do is wired up by the application.
#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace textorin {

class BrowserBox;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kWidth = 896, kHeight = 672;  // the client area; about 900 x 700 framed

    explicit MainWindow(QWidget* parent = nullptr);

    QLabel* notice;         // 标签1
    BrowserBox* browser;    // 超文本浏览框1
    QLabel* picture;        // 图片框1
    QPushButton* settings;  // 按钮设置
    QTabWidget* tabs;       // 选择夹1
    QLabel* status;         // 标签状态

    QPlainTextEdit* source;           // 编辑框_源
    QPlainTextEdit* translation;      // 编辑框_翻译
    QPushButton* capture;             // 按钮截图
    QGroupBox* coordinate_group;      // 分组框1
    QLineEdit* coordinates;           // 编辑框坐标
    QCheckBox* sync_coordinates;      // 选择框坐标同步
    QPushButton* coordinate_capture;  // 按钮坐标截图
    QPushButton* copy;                // 按钮_复制
    QPushButton* clear;               // 按钮_清除
    QPushButton* translate;           // 按钮_翻译
    QPushButton* full_width;          // 按钮_全角符号
    QPushButton* half_width;          // 按钮_半角符号
    QCheckBox* merge_text;            // 选择框文本合并
    QCheckBox* sync_clipboard;        // 选择框同步剪切板
    QComboBox* recognition;           // 组合框识别

    QTreeWidget* licence_table;  // 超级列表框1
    QLineEdit* cell_editor;      // 编辑框1
    QPushButton* licence_front;  // 按钮正面截图
    QPushButton* licence_back;   // 按钮副面截图
    QPushButton* export_table;   // 按钮_导出

  signals:
    // The user closed the window: the program ends.
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Controls on a page are placed by their design rectangle relative to the tab control's
    // top-left corner (tab bar included), whatever the page's own offset turns out to be.
    void place_on_page(QWidget* control, QWidget* page, int x, int y, int w, int h);
    void place_page_controls(QWidget* page);
};

}  // namespace textorin
