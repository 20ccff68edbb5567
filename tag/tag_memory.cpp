// Reader connection and byte-addressed tag memory access with read-modify-write over blocks.
#include "tag/tag_memory.h"

#include <stdio.h>
#include <string.h>

#include "model/config.h"
#include "model/text_number.h"
#include "tag/reader.h"
#include "tag/security.h"

char CommandText[READER_TEXT_SIZE];
char AnswerText[READER_TEXT_SIZE];

namespace {

// The four bytes of a block read, from answer characters 6 to 13. An answer that carries the
// tag's error flag or lacks the eight digits holds no block data: taking it as data would write
// garbage back beside the parameter on the next read-modify-write.
bool block_from_answer(uint32_t* block)
{
    if (!tag_answer_ok()) return false;
    uint32_t value = 0;
    for (int i = 6; i < 14; ++i) {
        int digit = hex_digit_value(AnswerText[i]);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    *block = value;
    return true;
}

// Every block of count bytes at address has a one-byte block number.
bool reachable(int32_t address, int count)
{
    return address >= 0 && count > 0 && count <= (LAST_BLOCK + 1) * BLOCK_SIZE &&
           address / BLOCK_SIZE + (address % BLOCK_SIZE + count - 1) / BLOCK_SIZE <= LAST_BLOCK;
}

}  // namespace

bool tag_answer_ok()
{
    // An answer too short to hold the flags must not be judged by what an older one left behind.
    return strnlen(AnswerText, sizeof AnswerText) > 5 && AnswerText[5] == '0';
}

ReaderOutcome reader_open(ReaderDetail* detail)
{
    ReaderDetail unused;
    ReaderDetail& d = detail != nullptr ? *detail : unused;
    d = ReaderDetail{&reader_library_load(), -1, -1, -1, false};
    if (d.library->fault != LibraryFault::none) return ReaderOutcome::noLibrary;
    d.connect = reader_connect();
    if (d.connect != 0) {
        d.checkAsked = true;
        d.check = reader_check();
        if (d.check != 0) return ReaderOutcome::noReader;
    }
    d.select = reader_select("010D", AnswerText);
    return d.select != 0 ? ReaderOutcome::selectRefused : ReaderOutcome::ok;
}

bool tag_read_block(int block, uint8_t* out)
{
    if (block < 0 || block > LAST_BLOCK) return false;
    snprintf(CommandText, sizeof CommandText, "0220%2.2X", static_cast<unsigned>(block));
    uint32_t block_data = 0;
    if (reader_send_receive(CommandText, AnswerText) != 0 || !block_from_answer(&block_data)) return false;
    for (int i = 0; i < BLOCK_SIZE; ++i) out[i] = static_cast<uint8_t>(block_data >> ((3 - i) * 8));
    return true;
}

BlockWrite tag_write_block(int block, const uint8_t* bytes)
{
    if (block < 0 || block > LAST_BLOCK) return BlockWrite::refused;
    snprintf(CommandText, sizeof CommandText, "0221%2.2X%2.2X%2.2X%2.2X%2.2X", static_cast<unsigned>(block), bytes[0],
             bytes[1], bytes[2], bytes[3]);
    if (reader_send_receive(CommandText, AnswerText) != 0) return BlockWrite::noAnswer;
    return tag_answer_ok() ? BlockWrite::ok : BlockWrite::refused;
}

int tag_read_bytes(int32_t address, int count, uint8_t* out)
{
    if (!reachable(address, count)) return 0;
    int32_t block = address / BLOCK_SIZE;
    int offset = address % BLOCK_SIZE;
    int stored = 0;
    while (stored < count) {
        uint8_t bytes[BLOCK_SIZE];
        if (!tag_read_block(block, bytes)) return 0;
        for (int i = offset; i < BLOCK_SIZE; ++i) out[stored++] = bytes[i];
        ++block;
        offset = 0;
    }
    return stored;
}

bool tag_write_bytes(int32_t address, int count, const uint8_t* data, TagWriteFault* fault)
{
    TagWriteFault ignored;
    TagWriteFault& why = fault != nullptr ? *fault : ignored;
    why = TagWriteFault{TagWriteFault::none, 0};
    int offset = address % BLOCK_SIZE;
    int32_t block = address / BLOCK_SIZE;
    // The covering blocks must exist and fit the scratch buffer.
    if (!reachable(address, count) || count > SCRATCH_SIZE - offset) {
        why.kind = TagWriteFault::unreachable;
        return false;
    }
    present_password(password);
    uint8_t rxdata[SCRATCH_SIZE];
    int stored = tag_read_bytes(block * BLOCK_SIZE, count + offset, rxdata);
    if (stored == 0) {
        why.kind = TagWriteFault::noRead;
        return false;
    }
    memcpy(rxdata + offset, data, static_cast<size_t>(count));
    for (int pos = 0; pos < stored; pos += BLOCK_SIZE, ++block) {
        BlockWrite result = tag_write_block(block, rxdata + pos);
        if (result == BlockWrite::ok) continue;
        why = TagWriteFault{result == BlockWrite::refused ? TagWriteFault::refused : TagWriteFault::noAnswer, block};
        return false;
    }
    return true;
}
