#include "ui/app.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/csv.h"
#include "app/licence_table.h"
#include "app/settings_load.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "services/notices.h"
#include "services/ocr_client.h"
#include "services/translation.h"
#include "text/symbol_width.h"
#include "ui/hotkey_dialog.h"
#include "ui/text_bridge.h"

namespace textorin {

App::App(const std::filesystem::path& data_dir)
    : data_dir_(data_dir),
      settings_(data_dir / "windows data.ini"),
      services_(ServiceConfig::load(settings_)),
      recognizer_(state_, port_, services_),
      hotkeys_(std::make_unique<GlobalHotkeys>(&window_)),
      hotkey_table_(*hotkeys_) {
    connect_handlers();
    QObject::connect(hotkeys_.get(), &GlobalHotkeys::pressed,
                     [this](int id) { hotkey_table_.dispatch(id); });
}

App::~App() {
    abort_.abort();
    wait_idle();
}

void App::wait_idle() {
    workers_.wait_idle();
    recognizer_.wait_idle();
}

void App::start() {
    const WebContext web{nullptr, &abort_};
    workers_.spawn([this, web] { request_token(state_, services_, web); });
    register_f4();
    workers_.spawn([this, web] { check_notices(port_, services_, web); });
    restoring_ = true;
    load_settings(settings_, state_, port_, [this] { register_hotkeys(); });
    restoring_ = false;
    setup_licence_table();
}

void App::region_capture() {
    captures_.start_capture(0, window_.recognition->currentIndex(), false);
}

void App::coordinate_capture() {
    captures_.start_capture(0, window_.recognition->currentIndex(), true);
}

void App::licence_capture(bool front) {
    captures_.start_capture(1, front ? 5 : 6, false);
}

void App::setup_licence_table() {
    licence_table_.set_up(
        load_licence_table(licence_title_file(data_dir_), licence_export_file(data_dir_)));
}

bool App::export_licence_table(const std::filesystem::path& file) const {
    const std::string csv = to_csv(licence_table_.rows());
    return write_file(file, {reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()});
}

void App::register_hotkeys() {
    register_slots(hotkey_table_, state_, port_,
                   {[this] { region_capture(); }, [this] { coordinate_capture(); },
                    [this] { licence_capture(true); }, [this] { licence_capture(false); }});
}

void App::register_f4() {
    // Handed to the user-interface thread's queue: it runs after the slots are registered, so
    // the F4 caption is the one that stands.
    QMetaObject::invokeMethod(
        &window_,
        [this] {
            if (hotkey_table_.register_hotkey(
                    0, 0x73, [this] { region_capture(); }, kF4Id))
                port_.set_button_caption(CaptureButton::Region, gbk("截图识别(F4)"));
        },
        Qt::QueuedConnection);
}

void App::open_hotkey_dialog() {
    HotkeyDialog dialog(
        state_, settings_, *hotkeys_, [this] { register_hotkeys(); }, &window_);
    dialog.exec();
}

void App::convert_symbols(bool full_width) {
    for (QPlainTextEdit* box : {window_.source, window_.translation}) {
        const std::u16string text = box->toPlainText().toStdU16String();
        box->setPlainText(
            QString::fromStdU16String(full_width ? to_full_width(text) : to_half_width(text)));
    }
    QGuiApplication::clipboard()->setText(window_.source->toPlainText());
}

void App::connect_handlers() {
    MainWindow& w = window_;
    QObject::connect(w.full_width, &QPushButton::clicked, [this] { convert_symbols(true); });
    QObject::connect(w.half_width, &QPushButton::clicked, [this] { convert_symbols(false); });
    QObject::connect(w.copy, &QPushButton::clicked, [this] {
        QGuiApplication::clipboard()->setText(window_.source->toPlainText());
    });
    QObject::connect(w.clear, &QPushButton::clicked, [this] { window_.source->clear(); });

    // Saved choices are written on the user's own actions only.
    const std::pair<QCheckBox*, const SettingKey*> checks[] = {
        {w.merge_text, &keys::kMergeText},
        {w.sync_clipboard, &keys::kSyncClipboard},
        {w.sync_coordinates, &keys::kSyncCoordinates},
    };
    for (const auto& [box, key] : checks)
        QObject::connect(box, &QCheckBox::clicked,
                         [this, key](bool on) { settings_.write_check(*key, on); });
    QObject::connect(w.recognition, &QComboBox::activated,
                     [this](int index) { settings_.write_integer(keys::kRecognition, index); });
    QObject::connect(w.tabs, &QTabWidget::tabBarClicked, [this](int index) {
        if (index >= 0) settings_.write_integer(keys::kPage, index);
    });
    // Every change of the coordinate text is saved, typed or set by a capture.
    QObject::connect(w.coordinates, &QLineEdit::textChanged, [this](const QString& text) {
        if (!restoring_) settings_.write_text(keys::kCoordinates, from_qt(text));
    });

    QObject::connect(w.capture, &QPushButton::clicked, [this] { region_capture(); });
    QObject::connect(w.coordinate_capture, &QPushButton::clicked, [this] { coordinate_capture(); });
    QObject::connect(w.licence_front, &QPushButton::clicked, [this] { licence_capture(true); });
    QObject::connect(w.licence_back, &QPushButton::clicked, [this] { licence_capture(false); });
    QObject::connect(w.export_table, &QPushButton::clicked, [this] {
        const QString file = QFileDialog::getSaveFileName(&window_, QStringLiteral("导出"),
                                                          QStringLiteral("行驶证.csv"),
                                                          QStringLiteral("CSV (*.csv)"));
        if (file.isEmpty()) return;
        if (!export_licence_table(file.toStdU16String())) port().set_status(gbk("状态：导出失败"));
    });
    QObject::connect(w.translate, &QPushButton::clicked, [this] {
        workers_.spawn([this] { run_translation(port_, services_, {nullptr, &abort_}); });
    });
    QObject::connect(w.settings, &QPushButton::clicked, [this] { open_hotkey_dialog(); });
}

}  // namespace textorin
