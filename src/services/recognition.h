// What happens after every capture: the picture goes to the OCR service and the recognised
// lines go where the user wants them (the source box and the clipboard, or the licence table).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "app/service_config.h"
#include "app/shared_state.h"
#include "app/view_port.h"
#include "app/workers.h"
#include "net/web_request.h"

namespace textorin {

// One run's own data: it works on its own copy of the capture, and stops writing anything once
// a newer run has begun.
struct RecognitionJob {
    std::uint64_t generation = 0;
    Bytes capture;
    int mode = 0;
};

// The run itself, on the calling thread. Every write to the window and the clipboard carries a
// guard that drops it, when it is applied, if the run has been superseded by then.
void run_recognition(RecognitionJob job, SharedState& state, ViewPort& view,
                     const ServiceConfig& config, const WebContext& web = {});

// Starts one run per capture on a thread of its own; a new capture supersedes the run still
// going on and aborts its transfer.
class Recognizer {
  public:
    Recognizer(SharedState& state, ViewPort& view, ServiceConfig config,
               const HttpClient* client = nullptr);
    ~Recognizer();  // aborts the running run and waits for every run's thread to end
    Recognizer(const Recognizer&) = delete;
    Recognizer& operator=(const Recognizer&) = delete;

    // On the user-interface thread, when a capture completes.
    void start(Bytes capture);

    // Blocks until no run is left (tests; the program itself never waits for a run).
    void wait_idle();

  private:
    SharedState& state_;
    ViewPort& view_;
    const ServiceConfig config_;
    const HttpClient* client_;
    Workers workers_;
    std::mutex mutex_;
    std::shared_ptr<AbortSignal> current_abort_;
};

}  // namespace textorin
