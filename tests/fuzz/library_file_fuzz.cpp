// Fuzz target: judging a candidate CR95HF.dll from arbitrary bytes, for both word sizes. The
// file is untrusted: every input must end in one of the inspection's outcomes, with the missing
// functions named exactly when some are missing, after a bounded number of reads.
#include "fuzz/fuzz_check.h"
#include "tag/library_file.h"

namespace {

struct Input {
    const unsigned char* data;
    size_t size;
    int reads;
};

bool read_input(void* context, uint32_t offset, uint8_t* out, uint32_t count)
{
    Input* input = static_cast<Input*>(context);
    ++input->reads;
    if (offset > input->size || count > input->size - offset) return false;
    for (uint32_t i = 0; i < count; ++i) out[i] = input->data[offset + i];
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const uint16_t kMachines[] = {MACHINE_I386, MACHINE_AMD64};
    for (uint16_t machine : kMachines) {
        Input input = {data, size, 0};
        LibraryReport report = {};
        inspect_library(ByteSource{read_input, &input}, machine, &report);
        LibraryFault f = report.fault;
        FUZZ_CHECK(f == LibraryFault::none || f == LibraryFault::notPe || f == LibraryFault::notDll ||
                       f == LibraryFault::wrongMachine || f == LibraryFault::functionsMissing,
                   "fault %d", static_cast<int>(f));
        FUZZ_CHECK((report.missing != 0) == (f == LibraryFault::functionsMissing) && report.missing <= 0x0F,
                   "missing %02X with fault %d", report.missing, static_cast<int>(f));
        FUZZ_CHECK((f == LibraryFault::wrongMachine) ==
                       (report.machine != machine && f != LibraryFault::notPe && f != LibraryFault::notDll),
                   "machine %04X for %04X with fault %d", report.machine, machine, static_cast<int>(f));
        // Headers, then at most 96 section headers for the export directory and for each of
        // the four addresses.
        FUZZ_CHECK(input.reads <= 4 + 5 * 97, "%d reads", input.reads);
    }
    return 0;
}
