// Refresh, page steps and writes of the program's core against the simulated tag answering at
// once, and a full-page refresh against a reader taking 4 ms per exchange.
#include <benchmark/benchmark.h>

#include "bench/bench_counters.h"
#include "bench/bench_program.h"
#include "bench/bench_table.h"
#include "dialog/marking.h"
#include "dialog/paging.h"
#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "model/param_table.h"
#include "sim/sim_tag.h"

namespace {

void refresh_full_page(benchmark::State& state)
{
    BenchProgram program;
    PerOperation counted;
    for (auto _ : state) refresh_page();
    counted.report(state);
}
BENCHMARK(refresh_full_page);

// Each step lands on the next of the five full pages, laid out and read.
void step_page_full(benchmark::State& state)
{
    BenchProgram program;
    int page = 0;
    PerOperation counted;
    for (auto _ : state) {
        page = step_page(STEP_TO, (page + 1) % (MAX_PAGE + 1));
    }
    counted.report(state);
}
BENCHMARK(step_page_full);

// A typed value written into a Changeable row of the given type on page 0.
void write_typed(benchmark::State& state, ParamType type, const char* typed)
{
    BenchProgram program;
    int row = bench_row(type);
    if (row < 0) {
        state.SkipWithError("no such row");
        return;
    }
    set_field_text(IDC_VALUE_BOX + row, typed);
    PerOperation counted;
    for (auto _ : state) write_param(row);
    counted.report(state);
    if (first_red_box() != NO_FIELD) state.SkipWithError("the write failed");
}
BENCHMARK_CAPTURE(write_typed, int8, ParamType::int8, "-5");
BENCHMARK_CAPTURE(write_typed, int16, ParamType::int16, "-300");
BENCHMARK_CAPTURE(write_typed, int32, ParamType::int32, "100000");
BENCHMARK_CAPTURE(write_typed, time, ParamType::time, "1700000000");

// The program's own time in a refresh, against a reader charging 4 ms per select and request.
void refresh_full_page_4ms(benchmark::State& state)
{
    BenchProgram program;
    sim_set_delay_us(4000);
    long long total = 0;
    long long inside = 0;
    PerOperation counted;
    for (auto _ : state) {
        long long before = reader_time().insideNs;
        long long start = clock_ns();
        refresh_page();
        total += clock_ns() - start;
        inside += reader_time().insideNs - before;
    }
    counted.report(state);
    double outside = static_cast<double>(total - inside);
    state.counters["outside_reader_us"] = benchmark::Counter(outside / 1000.0, benchmark::Counter::kAvgIterations);
    state.counters["outside_reader_pct"] = 100.0 * outside / static_cast<double>(total);
}
BENCHMARK(refresh_full_page_4ms)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
