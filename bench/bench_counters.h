// Counters every benchmark reports per operation: reader library calls, ISO/IEC 15693 requests
// among them, and heap allocations (where this build can count them).
#pragma once
#include <benchmark/benchmark.h>

#include "bench/alloc_count.h"
#include "bench/timed_reader.h"
#include "sim/sim_tag.h"

class PerOperation {
public:
    // Taken just before the timed loop.
    PerOperation() : calls_(reader_time().calls), requests_(sim_calls(SIM_ANY_REQUEST)), allocations_(alloc_count()) {}

    // Called just after the timed loop.
    void report(benchmark::State& state) const
    {
        // Read first: making the counters allocates.
        long allocations = alloc_count() - allocations_;
        long calls = reader_time().calls - calls_;
        long requests = sim_calls(SIM_ANY_REQUEST) - requests_;
        const auto perOp = benchmark::Counter::kAvgIterations;
        state.counters["reader_calls"] = benchmark::Counter(static_cast<double>(calls), perOp);
        state.counters["requests"] = benchmark::Counter(static_cast<double>(requests), perOp);
        if (alloc_counting())
            state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations), perOp);
    }

private:
    long calls_;
    long requests_;
    long allocations_;
};
