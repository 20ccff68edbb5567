// Writing the example set to a factory-fresh tag: one planned apply, against every parameter
// written by its row's button; and the apply of a set the tag already holds.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/bench_counters.h"
#include "bench/bench_sets.h"
#include "fakes/fake_surface.h"
#include "sets/apply_plan.h"
#include "sets/apply_run.h"
#include "sets/set_tag.h"
#include "sim/sim_tag.h"

namespace {

struct ExampleSet {
    std::unique_ptr<ParamSet> set = std::make_unique<ParamSet>();
    std::unique_ptr<SetReport> report = std::make_unique<SetReport>();
    bool loaded;
    ExampleSet()
    {
        sim_reset();
        fake_surface_reset();
        clear_table();
        loaded = bench_load_example_set(set.get());
        plan_apply(*set, report.get());
    }
};

// Each iteration starts from erased memory; its setting up is not timed, nor counted.
template <typename Write>
void on_fresh_tags(benchmark::State& state, Write write)
{
    ExampleSet example;
    if (!example.loaded) {
        state.SkipWithError("examples not read");
        return;
    }
    PerOperation counted;
    for (auto _ : state) {
        state.PauseTiming();
        long requests = sim_calls(SIM_ANY_REQUEST);
        bench_fresh_tag();
        if (sim_calls(SIM_ANY_REQUEST) != requests) state.SkipWithError("setting up made requests");
        state.ResumeTiming();
        write(example);
    }
    counted.report(state);
}

void apply_example_set(benchmark::State& state)
{
    on_fresh_tags(state, [&state](ExampleSet& e) {
        if (apply_tag_set(*e.set, e.report.get()) != SetOutcome::ok) state.SkipWithError("apply failed");
    });
}
BENCHMARK(apply_example_set);

void write_example_set_by_buttons(benchmark::State& state)
{
    on_fresh_tags(state, [](ExampleSet& e) { write_set_by_buttons(*e.report, *e.set); });
}
BENCHMARK(write_example_set_by_buttons);

// The tag holds the set already: read, found the same, nothing written.
void apply_example_set_unchanged(benchmark::State& state)
{
    ExampleSet example;
    if (!example.loaded || apply_tag_set(*example.set, example.report.get()) != SetOutcome::ok) {
        state.SkipWithError("examples not read or not applied");
        return;
    }
    PerOperation counted;
    for (auto _ : state) apply_tag_set(*example.set, example.report.get());
    counted.report(state);
}
BENCHMARK(apply_example_set_unchanged);

}  // namespace
