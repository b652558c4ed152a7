#include "services/recognition.h"

#include "json/json_document.h"
#include "platform/codepage.h"
#include "services/ocr_client.h"

namespace textorin {
namespace {

constexpr int kFrontMode = 5, kBackMode = 6;
constexpr int kTextPage = 0;
constexpr int kLicenceContentColumn = 2;

}  // namespace

void run_recognition(RecognitionJob job, SharedState& state, ViewPort& view,
                     const ServiceConfig& config, const WebContext& web) {
    const std::uint64_t generation = job.generation;
    const WriteGuard current = [&state, generation] { return state.is_current(generation); };

    JsonDocument doc;
    view.set_status(gbk("状态：截图识别中……"), current);
    if (job.capture.empty()) return;
    const Text token = state.access_token();
    if (token.empty()) return;

    doc.parse(ocr_request(job.mode, job.capture, token, config, view, current, web));
    state.replace_capture_if_current(generation, job.capture);
    if (!state.is_current(generation)) return;  // nothing of this run may show any more

    // The page and the check boxes are read now, after the reply, as the user may have
    // changed them while it was under way.
    if (view.page() == kTextPage) {
        const Text separator = view.checked(CheckBox::MergeText) ? "" : "\r\n";
        Text text;
        const int lines = doc.count("words_result");
        for (int i = 0; i < lines; ++i)
            text += doc.get_text("words_result[" + std::to_string(i) + "].words") + separator;
        view.set_source_text(text, current);
        if (view.checked(CheckBox::SyncClipboard)) view.set_clipboard(text, current);
    } else if (job.mode == kFrontMode || job.mode == kBackMode) {
        // Field names come from the reply: each goes into the path as a quoted step.
        const int first_row = job.mode == kFrontMode ? 0 : 10;
        const auto names = doc.member_names("words_result");
        for (std::size_t i = 0; i < names.size(); ++i)
            view.set_licence_cell(
                first_row + static_cast<int>(i), kLicenceContentColumn,
                doc.get_text("words_result" + JsonDocument::path_step(names[i]) + ".words"),
                current);
    }
    view.set_status(gbk("状态：识别完毕"), current);
}

Recognizer::Recognizer(SharedState& state, ViewPort& view, ServiceConfig config,
                       const HttpClient* client)
    : state_(state), view_(view), config_(std::move(config)), client_(client) {}

Recognizer::~Recognizer() {
    {
        std::lock_guard lock(mutex_);
        if (current_abort_) current_abort_->abort();
    }
    wait_idle();
}

void Recognizer::start(Bytes capture) {
    auto abort = std::make_shared<AbortSignal>();
    RecognitionJob job{state_.begin_recognition(capture), std::move(capture),
                       state_.recognition_mode.load()};
    {
        std::lock_guard lock(mutex_);
        if (current_abort_) current_abort_->abort();
        current_abort_ = abort;
    }
    workers_.spawn([this, job = std::move(job), abort]() mutable {
        run_recognition(std::move(job), state_, view_, config_, {client_, abort.get()});
    });
}

void Recognizer::wait_idle() {
    workers_.wait_idle();
}

}  // namespace textorin
