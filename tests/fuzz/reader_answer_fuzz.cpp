// Fuzz target: every reader result and answer text comes from the input. A refresh of a page,
// a write of every row and the security setup run on them. Besides the sanitizers and the request
// checks of the input reader: a refresh shows a value only when its blocks were read, a write
// reads and writes exactly the blocks covering the parameter's image in ascending order, keeps the
// other bytes of those blocks as read, and reports success only when every block write was
// acknowledged.
#include <string.h>

#include <string>
#include <vector>

#include "dialog/paging.h"
#include "dialog/refresh.h"
#include "dialog/security_setup.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "fakes/fake_surface.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/input_reader.h"
#include "fuzz/reference_text.h"
#include "model/config.h"
#include "model/param_table.h"
#include "support/screen.h"

namespace {

struct Row {
    ParamType type;
    int32_t address;
    EditMode mode;
    int32_t value;  // typed into a changeable box, or the default
};

// Each row on blocks of its own; every block offset, both ends of the memory.
const Row kRows[] = {
    {ParamType::int8, 0, EditMode::Changeable, -5},       {ParamType::int8, 6, EditMode::Default, 100},
    {ParamType::int16, 13, EditMode::Changeable, -12345}, {ParamType::int32, 21, EditMode::Default, 123456789},
    {ParamType::time, 31, EditMode::Changeable, 86400},   {ParamType::swver, 40, EditMode::DisplayOnly, 0},
    {ParamType::int16, 48, EditMode::DisplayOnly, 7},     {ParamType::int8, 1013, EditMode::Changeable, 127},
    {ParamType::int32, 1018, EditMode::Default, -1},
};
const int kRowCount = sizeof kRows / sizeof kRows[0];
const uint32_t kPassword = 0x1122A3B4;

// Walks the exchanges of one operation in order.
class Exchanges {
public:
    explicit Exchanges(const std::vector<Exchange>& log) : log_(log) {}
    const Exchange& expect(const std::string& call)
    {
        FUZZ_CHECK(at_ < log_.size(), "missing \"%s\"", call.c_str());
        FUZZ_CHECK(log_[at_].call == call, "sent \"%s\" instead of \"%s\"", log_[at_].call.c_str(), call.c_str());
        return log_[at_++];
    }
    void expect_end() { FUZZ_CHECK(at_ == log_.size(), "unexpected \"%s\"", log_[at_].call.c_str()); }
    size_t position() const { return at_; }

private:
    const std::vector<Exchange>& log_;
    size_t at_ = 0;
};

std::string block_request(const char* prefix, int block)
{
    char text[8];
    snprintf(text, sizeof text, "%s%02X", prefix, block);
    return text;
}

bool hex_digit(char c, uint8_t* value)
{
    const char* digits = "0123456789ABCDEF0123456789abcdef";
    const char* p = c ? strchr(digits, c) : nullptr;
    if (p == nullptr) return false;
    *value = static_cast<uint8_t>((p - digits) % 16);
    return true;
}

// The tag's flags report no error (character 5 of a long enough answer is "0").
bool flags_ok(const Exchange& x)
{
    return x.result == 0 && x.answer.size() > 5 && x.answer[5] == '0';
}

// A block read that delivered four bytes.
bool block_data(const Exchange& x, uint8_t* out)
{
    if (!flags_ok(x) || x.answer.size() < 14) return false;
    for (int i = 0; i < 4; ++i) {
        uint8_t hi, lo;
        if (!hex_digit(x.answer[6 + 2 * i], &hi) || !hex_digit(x.answer[7 + 2 * i], &lo)) return false;
        out[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    return true;
}

int first_block(const Row& r)
{
    return r.address / 4;
}
int last_block(const Row& r)
{
    return (r.address + reference_stored_size(r.type) - 1) / 4;
}

void compare(const Screen& expected, const char* after)
{
    Screen now = screen_now();
    for (int row = 0; row < PAGE_ROWS; ++row) {
        FUZZ_CHECK(now.box[row] == expected.box[row], "%s: row %d shows \"%s\", expected \"%s\"", after, row,
                   now.box[row].c_str(), expected.box[row].c_str());
        FUZZ_CHECK(now.button[row] == expected.button[row], "%s: row %d button", after, row);
    }
    FUZZ_CHECK(now.caption == expected.caption, "%s: caption \"%s\", expected \"%s\"", after, now.caption.c_str(),
               expected.caption.c_str());
    FUZZ_CHECK(now.marked == expected.marked, "%s: red boxes %X, expected %X", after, now.marked, expected.marked);
}

// Connect, check when connect failed, select; false when the refresh stops there.
bool expect_open(Exchanges& x, Screen& s)
{
    if (x.expect("connect").result != 0 && x.expect("check").result != 0) {
        s.box[0] = " NFC connect reader error";
        return false;
    }
    if (x.expect("010D").result != 0) {
        s.box[0] = "NFC select ISO error";
        return false;
    }
    return true;
}

std::string expected_caption(const Exchange& id)
{
    const std::string& answer = id.answer;
    std::string caption = "ORVELTIDE      xxxxxxxxxxxxxxxx   ";
    for (int k = 0; k < 16; ++k) {
        size_t from = static_cast<size_t>(22 - 2 * (k / 2) + k % 2);
        uint8_t ignored;
        bool digit = flags_ok(id) && from < answer.size() && hex_digit(answer[from], &ignored);
        caption[static_cast<size_t>(15 + k)] = digit ? answer[from] : '?';
    }
    return caption;
}

// Nothing of an earlier read stays in a row the tag could not be read for.
void unread(Screen& s, int row)
{
    s.box[row].clear();
    s.button[row] = false;
}

// Reads the row's blocks and shows them; false when a read failed.
bool expect_row(Exchanges& x, Screen& s, int row, uint8_t* bytes)
{
    const Row& r = kRows[row];
    int got = 0;
    bool read = true;
    for (int b = first_block(r); b <= last_block(r) && read; ++b, got += 4)
        read = block_data(x.expect(block_request("0220", b)), bytes + got);
    s.box[row] = read ? reference_decode(r.type, bytes + r.address % 4) : "No answer";
    s.button[row] = read && r.mode != EditMode::DisplayOnly && r.type != ParamType::swver;
    return read;
}

// What a refresh must have sent and shown, from the screen before it.
void expect_refresh(Exchanges& x, Screen& s)
{
    s.marked = 0;
    if (!expect_open(x, s)) {
        s.caption = "ORVELTIDE";
        for (int row = 1; row < PAGE_ROWS; ++row) unread(s, row);
        s.button[0] = false;
        return;
    }
    const Exchange& id = x.expect("022B");
    if (id.result != 0) {
        s.caption = "ORVELTIDE   no device";
        for (int row = 0; row < PAGE_ROWS; ++row) unread(s, row);
        return;
    }
    s.caption = expected_caption(id);
    uint8_t bytes[16];
    for (int row = 0; row < kRowCount; ++row) expect_row(x, s, row, bytes);
}

void check_refresh()
{
    Screen s = screen_now();
    refresh_page();
    Exchanges x(input_reader_log());
    expect_refresh(x, s);
    x.expect_end();
    compare(s, "refresh");
}

// Reads and writes of exactly the covering blocks, the other bytes kept as read, and the mark.
void check_write(int row)
{
    const Row& r = kRows[row];
    Screen s = screen_now();
    if (r.mode == EditMode::Changeable) s.box[row] = std::to_string(r.value);
    set_field_text(IDC_VALUE_BOX + row, s.box[row].c_str());
    input_reader_clear_log();
    write_param(row);
    Exchanges x(input_reader_log());
    if (r.mode == EditMode::DisplayOnly || r.type == ParamType::swver) {
        // A version has no image: a box holding anything but blanks is answered with "Unknown Type".
        bool typed = s.box[row].find_first_not_of(" \t\n\v\f\r") != std::string::npos;
        if (r.type == ParamType::swver && (typed || r.mode == EditMode::Default)) s.box[row] = "Unknown Type";
        x.expect_end();
        compare(s, "display-only write");
        return;
    }
    char password[32];
    snprintf(password, sizeof password, "02B30201%08X", kPassword);
    x.expect(password);
    std::vector<uint8_t> blocks;
    bool read = true;
    for (int b = first_block(r); b <= last_block(r) && read; ++b) {
        uint8_t data[4];
        read = block_data(x.expect(block_request("0220", b)), data);
        blocks.insert(blocks.end(), data, data + 4);
    }
    bool written = read;
    std::vector<uint8_t> image;
    if (read) {
        int width = reference_width(r.type);
        uint32_t bits = static_cast<uint32_t>(r.value) & (width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1);
        image = reference_image(bits, width);
        std::copy(image.begin(), image.end(), blocks.begin() + r.address % 4);
        for (int b = first_block(r), pos = 0; b <= last_block(r) && written; ++b, pos += 4) {
            char request[16];
            snprintf(request, sizeof request, "0221%02X%02X%02X%02X%02X", b, blocks[pos], blocks[pos + 1],
                     blocks[pos + 2], blocks[pos + 3]);
            written = flags_ok(x.expect(request));
        }
    }
    s.marked |= 1u << row;
    // An acknowledged write is read back and shown as the tag holds it; only the image that was
    // written, read back, ends the mark.
    uint8_t back[16];
    if (written && expect_row(x, s, row, back) && std::equal(image.begin(), image.end(), back + r.address % 4))
        s.marked &= ~(1u << row);
    x.expect_end();
    compare(s, written ? "acknowledged write" : "failed write");
}

// The refresh, then the factory password and two locks, the factory password and the new one.
void check_security()
{
    Screen s = screen_now();
    input_reader_clear_log();
    security_setup();
    Exchanges x(input_reader_log());
    expect_refresh(x, s);
    const std::string factory = "02B3020100000000";
    x.expect(factory);
    const Exchange& lock0 = x.expect("02B2020009");
    bool locked = lock0.result == 0;
    if (locked) {
        if (!flags_ok(lock0)) s.box[0] = "err lock 0";
        const Exchange& lock1 = x.expect("02B2022009");
        locked = lock1.result == 0;
        if (locked && !flags_ok(lock1)) s.box[0] = "err lock 1";
    }
    if (!locked) s.box[0] = "No answer";
    x.expect(factory);
    char request[32];
    snprintf(request, sizeof request, "02B10201%08X", kPassword);
    const Exchange& set = x.expect(request);
    if (set.result != 0) s.box[1] = "No answer";
    else if (!flags_ok(set)) s.box[0] = "err set pwd";
    x.expect_end();
    compare(s, "security setup");
}

void set_up_table()
{
    clear_table();
    for (int i = 0; i < kRowCount; ++i) {
        ParamEntry& e = ParamTable[i];
        snprintf(e.name, sizeof e.name, "P%d", i);
        e.type = kRows[i].type;
        e.address = kRows[i].address;
        e.mode = kRows[i].mode;
        e.defaultValue = kRows[i].mode == EditMode::Default ? kRows[i].value : 0;
        e.minValue = INT32_MIN, e.maxValue = INT32_MAX;  // no Min= or Max=: the type's range decides
    }
    entryCount = kRowCount;
    lastPage = 0;
    currentPage = 0;
    password = kPassword;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz_use_utc();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    fake_surface_reset();
    set_up_table();
    input_reader_start(data, size);
    show_page(0);
    check_refresh();
    for (int row = 0; row < kRowCount; ++row) check_write(row);
    check_security();
    return 0;
}
