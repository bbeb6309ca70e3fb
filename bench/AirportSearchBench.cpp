#include "CAirportData.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace kt {

// Timings of the airport frequency table as the Add Airport Channels dialog
// and "kt-m220-cli airport" use it: loading the shipped table, and a search by
// ident and by words over the whole of it (which must answer in under 20 ms).

namespace {
const CAirportTable& Table() {
    static const CAirportData data = [] {
        CAirportData d;
        std::string error;
        if (!d.Load(error))
            throw std::runtime_error(error);
        return d;
    }();
    return data.Table();
}

void BM_LoadTable(benchmark::State& state) {
    for (auto _ : state) {
        CAirportData data;
        std::string error;
        benchmark::DoNotOptimize(data.Load(error));
    }
}
BENCHMARK(BM_LoadTable)->Unit(benchmark::kMillisecond);

void BM_SearchIdent(benchmark::State& state) {
    const CAirportTable& table = Table();
    for (auto _ : state)
        benchmark::DoNotOptimize(table.Search("EDDF"));
}
BENCHMARK(BM_SearchIdent)->Unit(benchmark::kMicrosecond);

void BM_SearchWords(benchmark::State& state) {
    const CAirportTable& table = Table();
    for (auto _ : state)
        benchmark::DoNotOptimize(table.Search("frankfurt tower"));
}
BENCHMARK(BM_SearchWords)->Unit(benchmark::kMillisecond);

// A word found nowhere: every row is looked at.
void BM_SearchNothing(benchmark::State& state) {
    const CAirportTable& table = Table();
    for (auto _ : state)
        benchmark::DoNotOptimize(table.Search("zzqx"));
}
BENCHMARK(BM_SearchNothing)->Unit(benchmark::kMillisecond);
} // namespace

} // namespace kt

BENCHMARK_MAIN();
