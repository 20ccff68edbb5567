// The reader library over the in-process tag simulator, keeping the time spent inside its calls,
// so that the program's own share of an operation can be told from the reader's.
#pragma once

struct ReaderTime {
    long long insideNs;  // wall time inside connect, check, select and send/receive
    long calls;          // calls of the four operations
};

void reader_time_reset();
ReaderTime reader_time();

// Wall clock in nanoseconds (steady), for timing the operation around the reader calls.
long long clock_ns();
