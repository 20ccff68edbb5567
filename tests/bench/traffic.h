// What the program asked of the simulated reader since the counters were cleared: the calls of
// each kind that occurred, by the simulator's kind names.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "sim/sim_tag.h"

using Traffic = std::map<std::string, long>;

// Kinds with at least one call. Fails the test when a request was of no known kind.
inline Traffic traffic()
{
    Traffic calls;
    long requests = 0;
    for (int k = 0; k < SIM_ANY_REQUEST; ++k) {
        SimKind kind = static_cast<SimKind>(k);
        long n = sim_calls(kind);
        if (n != 0) calls[sim_kind_name(kind)] = n;
        if (kind >= SIM_READ_BLOCK) requests += n;
    }
    EXPECT_EQ(sim_calls(SIM_ANY_REQUEST), requests) << "requests of no known kind";
    return calls;
}

// The request log cut to command and block number ("022001"), the rest as it stands.
inline std::vector<std::string> request_heads()
{
    std::vector<std::string> heads;
    for (int i = 0; i < sim_log_count(); ++i) {
        std::string text = sim_log_entry(i);
        bool blockCommand = text.rfind("0220", 0) == 0 || text.rfind("0221", 0) == 0;
        heads.push_back(blockCommand ? text.substr(0, 6) : text);
    }
    return heads;
}

// Forget the calls so far.
inline void clear_traffic()
{
    sim_clear_counters();
    sim_clear_log();
}
