// The simulated reader: the library's operations, with its hex-text framing, its USB handle,
// the request log and counters, the per-exchange delay and the injected faults.
#include "sim/sim_reader.h"

#include <chrono>
#include <cstring>

#include "sim/sim_commands.h"
#include "sim/sim_core.h"
#include "sim/sim_crc.h"

namespace {

const char HEX[] = "0123456789ABCDEF";
const char NO_FRAME[] = "8700";
const char SELECTED[] = "0000";
const char ISO15693[] = "010D";
#ifndef PELOX_SIM_VERSION
#error "PELOX_SIM_VERSION names the project's version (sim/CMakeLists.txt)"
#endif
const char LIBRARY_REVISION[] = "Pelox simulator " PELOX_SIM_VERSION;
const char FIRMWARE[] = "simulated firmware " PELOX_SIM_VERSION;
const char HARDWARE[] = "simulated hardware";
static_assert(sizeof LIBRARY_REVISION <= SIM_INFO_SIZE && sizeof FIRMWARE <= SIM_INFO_SIZE &&
                  sizeof HARDWARE <= SIM_INFO_SIZE,
              "the revision and version texts must fit their buffer");
constexpr uint8_t FRAME_RECEIVED = 0x80;

void put_text(char* answer, const char* text)
{
    if (!answer) return;
    size_t n = strnlen(text, SIM_ANSWER_SIZE - 1);
    std::memcpy(answer, text, n);
    answer[n] = '\0';
}

int fail(char* answer, int result)
{
    put_text(answer, NO_FRAME);
    return result;
}

// A busy wait: sleeping would overshoot by a scheduler tick, and benchmarks want the time exact.
void charge_delay()
{
    if (!simState.delayUs) return;
    auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(simState.delayUs);
    while (std::chrono::steady_clock::now() < until) {
    }
}

// Strict: uppercase digits only, whole bytes, at least flags and command, at most SIM_REQUEST_MAX.
bool parse_request(const char* text, uint8_t* out, size_t* length)
{
    if (!text) return false;
    size_t chars = strnlen(text, 2 * SIM_REQUEST_MAX + 1);
    if (chars < 4 || chars % 2 || chars > 2 * SIM_REQUEST_MAX) return false;
    for (size_t i = 0; i < chars; i += 2) {
        int hi = sim_hex_digit(text[i]), lo = sim_hex_digit(text[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out[i / 2] = (uint8_t)(hi * 16 + lo);
    }
    *length = chars / 2;
    return true;
}

void put_byte(char*& p, uint8_t b)
{
    *p++ = HEX[b >> 4];
    *p++ = HEX[b & 15];
}

// Result code, length (reply + CRC + status), the tag's reply, its CRC low byte first, status.
void put_frame(char* answer, const uint8_t* reply, size_t length)
{
    if (!answer) return;
    uint16_t crc = sim_crc16(reply, length);
    char* p = answer;
    put_byte(p, FRAME_RECEIVED);
    put_byte(p, (uint8_t)(length + 3));
    for (size_t i = 0; i < length; ++i) put_byte(p, reply[i]);
    put_byte(p, (uint8_t)(crc & 0xFF));
    put_byte(p, (uint8_t)(crc >> 8));
    put_byte(p, 0x00);
    *p = '\0';
}

static_assert(2 * (SIM_REPLY_MAX + 5) < SIM_ANSWER_SIZE, "a framed reply must fit the answer");

// The countdown set by sim_leave_field_after, advanced once per request.
void count_down_field()
{
    if (simState.leaveAfter < 0) return;
    if (simState.leaveAfter == 0) {
        sim_leave_field();
    } else {
        --simState.leaveAfter;
        sim_mark_changed();
    }
}

int actionAfter = -1;
void (*requestAction)() = nullptr;

void count_down_action()
{
    if (actionAfter < 0 || actionAfter-- > 0) return;
    if (requestAction != nullptr) requestAction();
}

// A reader gone takes the handle with it; an injected failure leaves the handle as it was.
int open_call(SimKind kind)
{
    sim_count_call(kind);
    SimFaultHit hit = sim_advance_faults(kind, false);
    if (simState.readerAbsent) {
        simState.usbOpen = false;
        return SIM_NO_READER;
    }
    return hit.fail ? SIM_INJECTED : SIM_OK;
}

// What the handle check answers, for the texts that need a connected reader.
int handle_state()
{
    if (simState.readerAbsent) return SIM_NO_READER;
    return simState.usbOpen ? SIM_OK : SIM_NOT_CONNECTED;
}

int put_info(char* text, int result, const char* info)
{
    if (text) put_text(text, result == SIM_OK ? info : "");
    return result;
}

// A line of tags: once the tag on it has been written, the next protocol selection (the field
// switched off and on, as a reader's connection does) finds the next
// (its UID one higher, erased), until the line has brought them all; then the field stays empty.
void advance_conveyor(SimKind kind)
{
    if (simState.conveyor < 0) return;
    if (kind == SIM_WRITE_BLOCK && !simState.conveyorWritten) simState.conveyorWritten = true, sim_mark_changed();
    if (kind != SIM_SELECT || !simState.conveyorWritten) return;
    simState.conveyorWritten = false;
    if (simState.conveyor == 0) {
        simState.inField = false;
    } else {
        --simState.conveyor;
        ++simState.uid;
        std::memset(simState.memory, 0xFF, sizeof simState.memory);
        simState.granted = 0;
    }
    sim_mark_changed();
}

}  // namespace

int sim_reader_connect()
{
    int result = open_call(SIM_CONNECT);
    return result == SIM_OK ? handle_state() : result;
}

int sim_reader_check()
{
    int result = open_call(SIM_CHECK);
    if (result == SIM_OK) simState.usbOpen = true;
    return result;
}

int sim_reader_library_revision(char* text)
{
    return put_info(text, SIM_OK, LIBRARY_REVISION);
}

int sim_reader_firmware(char* text)
{
    return put_info(text, handle_state(), FIRMWARE);
}

int sim_reader_hardware(char* text)
{
    return put_info(text, handle_state(), HARDWARE);
}

int sim_reader_select(const char* command, char* answer)
{
    sim_count_call(SIM_SELECT);
    sim_log_add(SIM_SELECT, command);
    charge_delay();
    SimFaultHit hit = sim_advance_faults(SIM_SELECT, false);
    if (simState.readerAbsent) return fail(answer, SIM_NO_READER);
    if (hit.fail) return fail(answer, SIM_INJECTED);
    if (!command || std::strcmp(command, ISO15693) != 0 || simState.selectRefused) return fail(answer, SIM_REFUSED);
    // Selecting switches the RF field off and on: the tag forgets presented passwords.
    simState.granted = 0;
    advance_conveyor(SIM_SELECT);
    put_text(answer, SELECTED);
    return SIM_OK;
}

int sim_reader_send_receive(const char* command, char* answer)
{
    SimKind kind = sim_request_kind(command);
    sim_count_call(SIM_ANY_REQUEST);
    if (kind != SIM_ANY_REQUEST) sim_count_call(kind);
    sim_log_add(kind, command);
    charge_delay();
    count_down_action();
    count_down_field();
    advance_conveyor(kind);
    SimFaultHit hit = sim_advance_faults(kind, true);
    if (simState.readerAbsent) return fail(answer, SIM_NO_READER);
    if (hit.fail) return fail(answer, SIM_INJECTED);
    uint8_t request[SIM_REQUEST_MAX];
    size_t length = 0;
    if (!parse_request(command, request, &length)) return fail(answer, SIM_BAD_REQUEST);
    if (!simState.inField) return fail(answer, SIM_NO_TAG);
    uint8_t reply[SIM_REPLY_MAX];
    size_t replyLength;
    if (hit.flag) {
        reply[0] = 0x01;
        reply[1] = hit.code;
        replyLength = 2;
    } else {
        replyLength = sim_tag_execute(request, length, reply);
    }
    if (replyLength == 0) return fail(answer, SIM_NO_TAG);
    put_frame(answer, reply, replyLength);
    return SIM_OK;
}

void sim_before_request(int n, void (*action)())
{
    actionAfter = n < 0 ? -1 : n;
    requestAction = action;
}
