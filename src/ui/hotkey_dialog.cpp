#include "ui/hotkey_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "hotkeys/key_names.h"
#include "platform/global_hotkeys.h"
#include "ui/text_bridge.h"

namespace textorin {

HotkeyDialog::HotkeyDialog(SharedState& state, const SettingsFile& settings, GlobalHotkeys& hotkeys,
                           std::function<void()> register_slots, QWidget* parent)
    : QDialog(parent),
      state_(state),
      settings_(settings),
      hotkeys_(hotkeys),
      register_slots_(std::move(register_slots)) {
    setWindowTitle(QString());
    setFixedSize(380, 250);
    const QString labels[] = {
        QStringLiteral("截图识别快捷键设置"), QStringLiteral("坐标截图识别快捷键设置"),
        QStringLiteral("正面截图识别快捷键设置"), QStringLiteral("副面截图识别快捷键设置")};
    for (int k = 0; k < 4; ++k) {
        const int y = 20 + k * 45;
        auto* label = new QLabel(labels[k], this);
        label->setGeometry(10, y, 150, 24);
        modifiers[k] = new QComboBox(this);
        modifiers[k]->setObjectName(QStringLiteral("组合框%1").arg(k + 1));
        modifiers[k]->addItems({QStringLiteral("无主键"), QStringLiteral("Alt键"),
                                QStringLiteral("Ctrl键"), QStringLiteral("Shift键"),
                                QStringLiteral("Win键")});
        modifiers[k]->setGeometry(165, y, 90, 24);
        const int index = state.hotkey_modifiers[k];
        modifiers[k]->setCurrentIndex(index >= 0 && index < 5 ? index : -1);
        // Shows only the key's name: what is typed never appears.
        keys[k] = new QLineEdit(to_qt(key_name(state.hotkey_keys[k])), this);
        keys[k]->setObjectName(QStringLiteral("编辑框%1").arg(k + 1));
        keys[k]->setReadOnly(true);
        keys[k]->setGeometry(265, y, 100, 24);
        keys[k]->installEventFilter(this);
    }
    save = new QPushButton(QStringLiteral("保存"), this);
    save->setObjectName(QStringLiteral("按钮1"));
    save->setGeometry(265, 200, 100, 30);
    connect(save, &QPushButton::clicked, this, &HotkeyDialog::store);

    // A grabbed key would never reach its key box, and a hotkey pressed here would start a
    // capture under the dialog: the grabs wait until it closes.
    hotkeys_.set_suspended(true);
    connect(this, &QDialog::finished, this, [this] { hotkeys_.set_suspended(false); });
}

bool HotkeyDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyRelease) return QDialog::eventFilter(watched, event);
    const auto* key_event = static_cast<QKeyEvent*>(event);
    if (key_event->isAutoRepeat()) return true;
    for (int k = 0; k < 4; ++k) {
        if (watched != keys[k]) continue;
        const int code = hotkeys_.virtual_key(*key_event);
        keys[k]->setText(to_qt(key_name(code)));
        state_.hotkey_keys[k] = code;  // at once: nothing waits for "保存"
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void HotkeyDialog::store() {
    for (int k = 0; k < 4; ++k)
        state_.hotkey_modifiers[k] = modifiers[k]->currentIndex();
    for (int k = 0; k < 4; ++k)
        settings_.write_integer(keys::kHotkeyModifier[k], state_.hotkey_modifiers[k]);
    for (int k = 0; k < 4; ++k)
        settings_.write_integer(keys::kHotkeyKey[k], state_.hotkey_keys[k]);
    // Registered now, while the grabs are suspended: they take effect when the window closes.
    register_slots_();
}

}  // namespace textorin
