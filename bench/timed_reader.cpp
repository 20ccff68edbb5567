// Reader library for benchmarks and timing tests: each operation is answered by the simulator
// and the time it takes is added up.
#include "bench/timed_reader.h"

#include <chrono>

#include "sim/sim_tag.h"
#include "tag/reader.h"

static_assert((int)SIM_ANSWER_SIZE <= (int)READER_TEXT_SIZE, "the simulator's answers must fit the program's buffer");

namespace {

ReaderTime spent;

// Runs one reader call and charges its duration to the reader.
template <typename Call>
int timed(Call call)
{
    long long start = clock_ns();
    int result = call();
    spent.insideNs += clock_ns() - start;
    ++spent.calls;
    return result;
}

}  // namespace

long long clock_ns()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void reader_time_reset()
{
    spent = ReaderTime{0, 0};
}

ReaderTime reader_time()
{
    return spent;
}

int reader_connect()
{
    return timed([] { return sim_reader_connect(); });
}

int reader_check()
{
    return timed([] { return sim_reader_check(); });
}

int reader_select(const char* command, char* answer)
{
    return timed([=] { return sim_reader_select(command, answer); });
}

int reader_send_receive(const char* command, char* answer)
{
    return timed([=] { return sim_reader_send_receive(command, answer); });
}
