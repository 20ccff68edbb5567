// Production against a reader taking 4 ms an exchange: one device produced (with and without a
// number), verified, or dry-run on a factory-fresh tag; and a line of tags, each taken away as
// soon as it is done and the next placed at once, for the devices a minute that the polls for
// a tag leaving and arriving allow; and the production log's share of a device on a large log.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/timed_reader.h"
#include "bench/bench_sets.h"
#include "fakes/fake_surface.h"
#include "sets/apply_preview.h"
#include "sets/apply_run.h"
#include "sets/set_tag.h"
#include "sim/sim_tag.h"
#include "tagtool/log_index.h"
#include "tagtool/produce.h"
#include "tagtool/production_log.h"

namespace {

const LogSource kSource = {"bench", "example.set", "00000000", "0.0.0", nullptr, "0.9"};
const int kAddrEntry = 6;              // "Addr" in examples/example.set
const long long kPauseNs = 200000000;  // the console's pause between two polls

struct Line {
    int tags;  // to place in all
    int placed;
    bool present;
    long long pausedNs;  // the pauses between polls, counted instead of slept
};

bool wait(void* context, ProduceWait what, const TagOpening&)
{
    Line& line = *static_cast<Line*>(context);
    line.pausedNs += kPauseNs;
    if (what == ProduceWait::forLeave && line.present) {
        sim_leave_field();
        line.present = false;
    } else if (what == ProduceWait::forTag && !line.present) {
        if (line.placed == line.tags) return false;
        bench_fresh_tag();
        sim_set_uid(0xE002000000000000ull + static_cast<uint64_t>(++line.placed));
        line.present = true;
    }
    return true;
}

int64_t now(void*)
{
    return 0;
}

int64_t clock_ms(void* context)
{
    return (clock_ns() + static_cast<Line*>(context)->pausedNs) / 1000000;
}

bool log(void*, const char*)
{
    return true;
}

struct Example {
    std::unique_ptr<ParamSet> set = std::make_unique<ParamSet>();
    std::unique_ptr<SetReport> report = std::make_unique<SetReport>();
    bool loaded;
    Line line = {0, 0, false, 0};
    ProduceHooks hooks = {&line, wait, now, clock_ms, log, nullptr, nullptr, nullptr};
    Example()
    {
        sim_reset();
        fake_surface_reset();
        clear_table();
        loaded = bench_load_example_set(set.get());
        sim_set_delay_us(4000);
    }
    ~Example() { sim_set_delay_us(0); }
};

// One device per iteration, the tag set up untimed: fresh, or holding the set (verify).
template <typename Device>
void per_device(benchmark::State& state, bool holdingTheSet, Device device)
{
    Example e;
    if (!e.loaded) return state.SkipWithError("examples not read");
    long requests = 0, calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench_fresh_tag();
        if (holdingTheSet) apply_tag_set(*e.set, e.report.get());
        long requestsBefore = sim_calls(SIM_ANY_REQUEST), callsBefore = reader_time().calls;
        state.ResumeTiming();
        if (!device(e)) state.SkipWithError("the device did not come out as expected");
        requests += sim_calls(SIM_ANY_REQUEST) - requestsBefore;
        calls += reader_time().calls - callsBefore;
    }
    // The exchanges of the device alone, not of setting up its tag.
    const auto perOp = benchmark::Counter::kAvgIterations;
    state.counters["requests"] = benchmark::Counter(static_cast<double>(requests), perOp);
    state.counters["reader_calls"] = benchmark::Counter(static_cast<double>(calls), perOp);
}

void produce_device_4ms(benchmark::State& state)
{
    per_device(state, false,
               [](Example& e) { return produce(*e.set, RunKind::produce, 1, nullptr, kSource, e.hooks).failed == 0; });
}
BENCHMARK(produce_device_4ms)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void produce_numbered_device_4ms(benchmark::State& state)
{
    per_device(state, false, [](Example& e) {
        Numbering number = {kAddrEntry, 1, 1, 127};
        return produce(*e.set, RunKind::produce, 1, &number, kSource, e.hooks).failed == 0;
    });
}
BENCHMARK(produce_numbered_device_4ms)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void verify_device_4ms(benchmark::State& state)
{
    per_device(state, true,
               [](Example& e) { return produce(*e.set, RunKind::verify, 1, nullptr, kSource, e.hooks).failed == 0; });
}
BENCHMARK(verify_device_4ms)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

void dry_run_4ms(benchmark::State& state)
{
    per_device(state, false, [](Example& e) { return dry_run_tag_set(*e.set, e.report.get()) == SetOutcome::ok; });
}
BENCHMARK(dry_run_4ms)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// Ten tags in turn, each taken away the moment the run says so and the next placed at the
// following poll: what the tool allows when the operator's hands take no time.
void production_line_4ms(benchmark::State& state)
{
    Example e;
    if (!e.loaded) return state.SkipWithError("examples not read");
    sim_leave_field();
    const int tags = 10;
    double minutes = 0;
    for (auto _ : state) {
        e.line = Line{tags, 0, false, 0};
        long long start = clock_ns();
        ProduceResult result = produce(*e.set, RunKind::produce, 0, nullptr, kSource, e.hooks);
        minutes += static_cast<double>(clock_ns() - start + e.line.pausedNs) / 60e9;
        if (result.devices != tags || result.failed != 0) state.SkipWithError("a device failed");
    }
    state.counters["devices_per_minute"] = tags * static_cast<double>(state.iterations()) / minutes;
}
BENCHMARK(production_line_4ms)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The production log's part of a device on a log of 100 000 rows (50 000 devices, a reservation
// and a result each): two turns at the lock, each reading on what was appended, the UID looked
// up, the reservation and the result row appended and put on the disk. And, once a run, the
// first reading of the whole log.
const char kBenchLog[] = "bench-production-log.csv";

void write_log_100000_rows()
{
    FILE* f = fopen(kBenchLog, "wb");
    if (f == nullptr) return;
    fputs("time_utc,station,command,set_file,set_crc,tool_version,uid,result,number,parameters\n", f);
    for (int i = 0; i < 50000; ++i)
        for (const char* result : {"writing", "ok"})
            fprintf(f, "2026-12-09 08:15:45,LINE7-PC,produce,example.set,54334111,1.3.0,E0040000%08X,%s,Addr=%d,\n",
                    static_cast<unsigned>(i), result, i % 100);
    fclose(f);
}

void log_open_100000_rows(benchmark::State& state)
{
    write_log_100000_rows();
    ProductionLog log;
    FILE* quiet = fopen("/dev/null", "w");
    for (auto _ : state) {
        index_reset("Addr");
        if (!open_production_log(&log, kBenchLog, ',', quiet, quiet)) state.SkipWithError("the log was not read");
    }
    fclose(quiet);
    remove(kBenchLog);
}
BENCHMARK(log_open_100000_rows)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void log_decisions_100000_rows(benchmark::State& state)
{
    write_log_100000_rows();
    ProductionLog log;
    FILE* quiet = fopen("/dev/null", "w");
    index_reset("Addr");
    if (!open_production_log(&log, kBenchLog, ',', quiet, quiet)) state.SkipWithError("the log was not read");
    uint64_t uid = 0xE004000100000000ull;
    char row[LOG_ROW_SIZE];
    for (auto _ : state) {
        bool ok = lock_production_log(&log, false, quiet, quiet);
        ok = ok && index_find(++uid) == nullptr;
        snprintf(row, sizeof row,
                 "2026-12-09 08:15:45,LINE7-PC,produce,example.set,54334111,1.3.0,%016llX,%s,Addr=7,\n",
                 static_cast<unsigned long long>(uid), "writing");
        ok = ok && append_log_row(&log, row);
        unlock_production_log(&log);
        ok = ok && lock_production_log(&log, false, quiet, quiet) && index_find(uid) != nullptr;
        ok = ok && append_log_row(&log, row);
        unlock_production_log(&log);
        if (!ok) state.SkipWithError("a decision failed");
    }
    fclose(quiet);
    remove(kBenchLog);
}
BENCHMARK(log_decisions_100000_rows)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
