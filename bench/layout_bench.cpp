// Both layouts on 1 Mi and 8 Mi code units of generated Access SQL, beside the cost of one upper-cased copy
// of the same text, the least any case-blind search of it must spend.
#include "bench/access_query.h"
#include "layout/query_layout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr std::size_t oneMi = std::size_t{1} << 20;

const std::u16string& query(std::size_t size) {
    static std::map<std::size_t, std::u16string> queries;
    auto [entry, added] = queries.try_emplace(size);
    if (added) {
        entry->second = brelvix::bench::accessStyleQuery(size);
    }
    return entry->second;
}

const brelvix::QueryLayout& engine() {
    static const brelvix::QueryLayout layout;
    return layout;
}

void countBytes(benchmark::State& state, std::size_t units) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * units * sizeof(char16_t)));
}

void UpperCasedCopy(benchmark::State& state) {
    const auto& source = query(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::u16string copy(source.size(), u'\0');
        std::transform(source.begin(), source.end(), copy.begin(), [](char16_t c) {
            return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
        });
        benchmark::DoNotOptimize(copy.data());
    }
    countBytes(state, source.size());
}

void AdjustLayout(benchmark::State& state) {
    const auto& source = query(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto result = engine().adjustLayout(source);
        benchmark::DoNotOptimize(result.data());
    }
    countBytes(state, source.size());
}

void AddStringLayout(benchmark::State& state) {
    const auto& source = query(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto result = engine().addStringLayout(source, u"strSQL = strSQL & \"");
        benchmark::DoNotOptimize(result.data());
    }
    countBytes(state, source.size());
}

// The least time of the repetitions is the one least disturbed by the rest of a shared machine.
double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(UpperCasedCopy)
    ->Arg(oneMi)
    ->Arg(8 * oneMi)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK(AdjustLayout)
    ->Arg(oneMi)
    ->Arg(8 * oneMi)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);
BENCHMARK(AddStringLayout)
    ->Arg(oneMi)
    ->Arg(8 * oneMi)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

} // namespace

BENCHMARK_MAIN();
