// Loading "Pelox.ini" with 100 parameter definitions, as at start-up.
#include <benchmark/benchmark.h>

#include "bench/bench_counters.h"
#include "bench/bench_program.h"
#include "model/config.h"
#include "model/config_path.h"
#include "model/param_table.h"

namespace {

void load_config_100(benchmark::State& state)
{
    BenchProgram program;
    PerOperation counted;
    for (auto _ : state) {
        if (!load_config()) state.SkipWithError("Pelox.ini not read");
    }
    counted.report(state);
    if (entryCount != 100) state.SkipWithError("not 100 definitions");
}
BENCHMARK(load_config_100);

}  // namespace
