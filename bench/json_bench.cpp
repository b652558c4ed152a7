// Handling a realistic OCR reply of 200 lines as the recognition run does: a fresh document,
// parse, count, and the text of every line; nlohmann-json parsing the same text as reference.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "json/json_document.h"

namespace {

const std::string& ocr_reply() {
    static const std::string reply = [] {
        std::string r = R"({"log_id":1730000000000000001,"words_result_num":200,"words_result":[)";
        for (int i = 0; i < 200; ++i) {
            if (i) r += ',';
            r += R"({"words":"Line )" + std::to_string(i) +
                 R"(: the quick brown fox jumps over the lazy dog 0123456789"})";
        }
        return r + "]}";
    }();
    return reply;
}

void BM_JsonDocumentReply(benchmark::State& state) {
    for (auto _ : state) {
        textorin::JsonDocument doc;
        doc.parse(ocr_reply());
        const int n = doc.count("words_result");
        std::string text;
        for (int i = 0; i < n; ++i)
            text += doc.get_text("words_result[" + std::to_string(i) + "].words") + "\r\n";
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(ocr_reply().size()));
}
BENCHMARK(BM_JsonDocumentReply)->Unit(benchmark::kMicrosecond);

void BM_NlohmannReply(benchmark::State& state) {
    for (auto _ : state) {
        const auto doc = nlohmann::json::parse(ocr_reply());
        std::string text;
        for (const auto& line : doc["words_result"])
            text += line["words"].get<std::string>() + "\r\n";
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(ocr_reply().size()));
}
BENCHMARK(BM_NlohmannReply)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
