// The hotkey settings window: for each of the four slots a modifier choice and a key box; a
// key released in a box becomes the slot's key at once, and "保存" stores the modifiers, writes
// all eight settings and registers the slots again. The window stays open after saving.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "app/settings_file.h"
#include "app/shared_state.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace textorin {

class GlobalHotkeys;

class HotkeyDialog : public QDialog {
    Q_OBJECT

  public:
    HotkeyDialog(SharedState& state, const SettingsFile& settings, GlobalHotkeys& hotkeys,
                 std::function<void()> register_slots, QWidget* parent);

    std::array<QComboBox*, 4> modifiers{};  // 组合框1 to 组合框4
    std::array<QLineEdit*, 4> keys{};       // 编辑框1 to 编辑框4
    QPushButton* save;                      // 按钮1

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void store();

    SharedState& state_;
    const SettingsFile& settings_;
    GlobalHotkeys& hotkeys_;
    std::function<void()> register_slots_;
};

}  // namespace textorin
