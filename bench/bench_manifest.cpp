// Reading a hostile version manifest: an attribute of 4 MB of "&" with no ";"
// anywhere. Entity decoding looks for each reference's ";" only as far as the
// longest reference reaches, so the time grows with the text, not its square.

#include "update/manifest_reader.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t kAttributeBytes = 4u << 20;

void BM_DecodeEntitiesOfAmpersands(benchmark::State& state) {
    const std::string raw(static_cast<std::size_t>(state.range(0)), '&');
    for (auto _ : state)
        benchmark::DoNotOptimize(ssq::update::decodeEntities(raw));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_DecodeEntitiesOfAmpersands)
    ->Arg(400 << 10)
    ->Arg(kAttributeBytes)
    ->Unit(benchmark::kMillisecond);

// The whole manifest: load, then read the attribute as the update check does.
void BM_ManifestWithAmpersandAttribute(benchmark::State& state) {
    const std::string manifest = "<?xml version=\"1.0\"?><root><info notes=\"" +
                                 std::string(kAttributeBytes, '&') + "\"/></root>";
    ssq::update::ManifestReader reader;
    for (auto _ : state) {
        reader.load(manifest);
        benchmark::DoNotOptimize(reader.attribute("root/info", "notes"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * manifest.size()));
}
BENCHMARK(BM_ManifestWithAmpersandAttribute)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
