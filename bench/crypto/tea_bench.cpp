// The TEA method enciphering and deciphering 64 KiB in ECB and CBC mode, one call each.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "crypto/tea.h"

namespace {

constexpr std::size_t kDataSize = 64 * 1024;

void RunTea(benchmark::State& state, int mode, bool encrypt) {
    static constexpr unsigned char kKey[] = "bench-key-012345";
    static constexpr std::array<unsigned char, TEA::kBlockSize> kChain{};
    TEA tea;
    tea.SetKey(kKey, TEA::kKeyLength, kChain.data(), mode, CCipherMethod::kPadZeros);
    std::vector<unsigned char> in(kDataSize, 0x5A);
    std::vector<unsigned char> out(kDataSize);
    for (auto _ : state) {
        tea.ResetChain();
        if (encrypt) {
            tea.Encrypt(in.data(), out.data(), in.size());
        } else {
            tea.Decrypt(in.data(), out.data(), in.size());
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kDataSize));
}

void BM_Tea_EcbEncrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kEcb, true);
}
void BM_Tea_EcbDecrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kEcb, false);
}
void BM_Tea_CbcEncrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kCbc, true);
}
void BM_Tea_CbcDecrypt(benchmark::State& state) {
    RunTea(state, CCipherMethod::kCbc, false);
}
BENCHMARK(BM_Tea_EcbEncrypt);
BENCHMARK(BM_Tea_EcbDecrypt);
BENCHMARK(BM_Tea_CbcEncrypt);
BENCHMARK(BM_Tea_CbcDecrypt);

}  // namespace
