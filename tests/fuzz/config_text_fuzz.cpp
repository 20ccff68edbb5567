// Fuzz target: arbitrary bytes as "Pelox.ini". The dialog starts on them against a simulated tag,
// then steps through every page it can reach. Checks the table's limits, that only reads of
// blocks 0-255 reach the tag and nothing is written, and that every row shown holds its label and
// the value its stored bytes decode to.
#include <string.h>

#include <string>
#include <vector>

#include "dialog/actions.h"
#include "dialog/paging.h"
#include "dialog/surface.h"
#include "fakes/fake_module_path.h"
#include "fakes/fake_surface.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/reference_text.h"
#include "fuzz/table_check.h"
#include "model/config.h"
#include "model/param_table.h"
#include "sim/sim_tag.h"
#include "support/temp_files.h"

namespace {

const int kMemorySize = SIM_MAX_BLOCKS * SIM_BLOCK_SIZE;

TempFolder* folder;
std::string iniPath;
std::vector<uint8_t> pattern;

// Valid images of every width at many addresses, and bytes that are none, in between.
std::vector<uint8_t> make_pattern()
{
    std::vector<uint8_t> memory(kMemorySize, 0xFF);
    for (int a = 0; a + 16 <= kMemorySize; a += 16) {
        std::vector<uint8_t> wide = reference_image(static_cast<uint32_t>(a) * 2654435761u, 4);
        std::vector<uint8_t> mid = reference_image(static_cast<uint32_t>(a * 7) & 0xFFFF, 2);
        std::vector<uint8_t> narrow = reference_image(static_cast<uint32_t>(a / 16) & 0xFF, 1);
        std::copy(wide.begin(), wide.end(), memory.begin() + a);
        std::copy(mid.begin(), mid.end(), memory.begin() + a + 6);
        std::copy(narrow.begin(), narrow.end(), memory.begin() + a + 10);
        memory[static_cast<size_t>(a) + 13] = static_cast<uint8_t>(a);
    }
    return memory;
}

// Only the protocol selection, the identification and block reads with a two-digit number.
void check_requests()
{
    FUZZ_CHECK(sim_log_dropped() == 0, "request log overflowed");
    for (int i = 0; i < sim_log_count(); ++i) {
        const char* r = sim_log_entry(i);
        bool read = strlen(r) == 6 && strncmp(r, "0220", 4) == 0 && strspn(r + 4, "0123456789ABCDEF") == 2;
        FUZZ_CHECK(read || !strcmp(r, "010D") || !strcmp(r, "022B"), "request \"%s\"", r);
    }
    std::vector<uint8_t> now(kMemorySize);
    sim_read_memory(0, now.data(), kMemorySize);
    FUZZ_CHECK(now == pattern, "the tag's memory changed");
}

void check_page(int page)
{
    FUZZ_CHECK(currentPage == page && page >= 0 && page <= static_cast<int>(lastPage), "page %d, current %d", page,
               currentPage);
    for (int row = 0; row < PAGE_ROWS; ++row) {
        const ParamEntry& e = ParamTable[page * PAGE_ROWS + row];
        bool shown = e.type != ParamType::none && e.type != ParamType::empty;
        FUZZ_CHECK(fake_control(IDC_VALUE_BOX + row).visible == shown && fake_control(IDC_LABEL + row).visible == shown,
                   "page %d row %d visibility", page, row);
        if (!shown) continue;
        FUZZ_CHECK(!strcmp(fake_text(IDC_LABEL + row), e.name) &&
                       !strcmp(fake_text(IDC_DESCRIPTION + row), e.description),
                   "page %d row %d texts", page, row);
        FUZZ_CHECK(fake_control(IDC_VALUE_BOX + row).readOnly == (e.mode != EditMode::Changeable), "row %d read-only",
                   row);
        std::string expected = reference_decode(e.type, pattern.data() + e.address);
        FUZZ_CHECK(expected == fake_text(IDC_VALUE_BOX + row), "page %d row %d shows \"%s\", expected \"%s\"", page,
                   row, fake_text(IDC_VALUE_BOX + row), expected.c_str());
        if (e.type != ParamType::swver)
            FUZZ_CHECK(fake_control(IDC_ROW_BUTTON + row).enabled == (e.mode != EditMode::DisplayOnly), "row %d button",
                       row);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_use_utc();
    folder = new TempFolder;
    iniPath = folder->path() + "Pelox.ini";
    fake_module_path_set((folder->path() + "pelox.exe").c_str());
    pattern = make_pattern();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    FILE* file = fopen(iniPath.c_str(), "wb");
    if (file == nullptr) abort();
    fwrite(data, 1, size, file);
    fclose(file);

    sim_reset();
    sim_write_memory(0, pattern.data(), kMemorySize);
    fake_surface_reset();
    clear_table();
    currentPage = 0;
    lastPage = 0;

    dialog_start();
    check_loaded_table(kMemorySize);
    check_page(0);
    // Forward until the last page, one back, then straight to the first.
    int page = 0;
    for (int step = 0; step < 6; ++step) {
        int next = step_page(STEP_FORWARD, page);
        check_page(next);
        if (next == page) break;
        page = next;
    }
    FUZZ_CHECK(page == static_cast<int>(lastPage), "stepping forward stopped at %d of %u", page, lastPage);
    check_page(step_page(STEP_BACK, page));
    check_page(step_page(STEP_TO, 0));
    check_requests();
    return 0;
}
