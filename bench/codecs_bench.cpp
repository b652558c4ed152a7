// Base64 and percent-encoding of a 1 MiB picture, with OpenSSL's encoder as the reference.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <random>

#include "net/codecs.h"

namespace {

using textorin::Bytes;

const Bytes& random_mib() {
    static const Bytes bytes = [] {
        Bytes b(1 << 20);
        std::mt19937 rng(42);
        for (auto& x : b)
            x = static_cast<std::uint8_t>(rng());
        return b;
    }();
    return bytes;
}

void BM_Base64Encode(benchmark::State& state) {
    const Bytes& in = random_mib();
    for (auto _ : state)
        benchmark::DoNotOptimize(textorin::base64_encode(in));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_Base64Encode);

void BM_OpenSslEncodeBlock(benchmark::State& state) {
    const Bytes& in = random_mib();
    std::string out((in.size() + 2) / 3 * 4 + 1, '\0');
    for (auto _ : state) {
        // A fresh output string each time, as base64_encode returns one.
        std::string buffer(out.size(), '\0');
        EVP_EncodeBlock(reinterpret_cast<unsigned char*>(buffer.data()), in.data(),
                        static_cast<int>(in.size()));
        benchmark::DoNotOptimize(buffer);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(in.size()));
}
BENCHMARK(BM_OpenSslEncodeBlock);

void BM_UrlEncodeBase64Text(benchmark::State& state) {
    const std::string text = textorin::base64_encode(random_mib());
    for (auto _ : state)
        benchmark::DoNotOptimize(textorin::url_encode(text, true, true));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_UrlEncodeBase64Text);

}  // namespace

BENCHMARK_MAIN();
