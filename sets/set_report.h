// What saving, comparing or applying a set did, parameter by parameter, and the tag memory it
// worked on. Filled by the operations of sets/set_tag.h; the window and pelox-tag show it with
// the texts of sets/set_text.h.
#pragma once
#include <stdint.h>

#include "model/config.h"
#include "model/value_codec.h"
#include "sets/param_set.h"
#include "tag/tag_memory.h"

enum { SET_MAX_ITEMS = PARAM_COUNT + SET_MAX_ENTRIES, TAG_BLOCKS = LAST_BLOCK + 1 };

enum class SetStatus : uint8_t {
    read,        // save: the value was read
    written,     // apply: written and read back
    same,        // the tag holds the set's value
    different,   // compare: the tag holds another value
    failed,      // see the reason
    notWritten,  // apply: to be written, but the apply stopped before it
    toWrite,     // dry run: an apply would write it
    skipped,     // not compared or not written: see the reason
};

enum class SetReason : uint8_t {
    none,
    // skipped
    displayOnly,         // the window never writes it
    softwareVersion,     // versions are never written
    notSetInSet,         // the set holds "not-set" for it
    notItsDefault,       // a Default parameter is only ever written to its default
    doesNotFit,          // the value does not fit the parameter's type
    outsideLimits,       // the value fits the type but lies outside the line's Min= and Max=
    notInSet,            // the configuration has it, the set does not
    notInConfiguration,  // the set has it, the configuration does not
    addressDiffers,      // same name, another address
    typeDiffers,         // same name, another type
    addressAndTypeDiffer,
    // failed or not written
    noAnswer,         // a read of one of its blocks failed (block)
    writeRefused,     // the tag refused its block twice, the password presented again between
    writeNoAnswer,    // a block write got no answer: the tag may or may not have written it
    readBackFailed,   // written, but reading it back failed
    readBackDiffers,  // written, but the tag holds other bytes
    earlierFailure,   // the apply stopped at another parameter's block
    tagChanged,       // another tag, or none, answered before the writes: nothing written
    notVerified,      // written, but another tag, or none, answered after the read-back
};

struct SetItem {
    int16_t record;  // index in ParamTable, -1 for a set entry the configuration does not know
    int16_t entry;   // index in the set, -1 when the set lacks the parameter
    SetStatus status;
    SetReason reason;
    bool mayBeHalfWritten;          // its image spans blocks of which some were written and some not
    bool tagValueSet;               // the tag's image was read and its CRC matched
    int32_t tagValue;               // before the apply
    int16_t block;                  // the block a failure concerns
    uint8_t image[MAX_IMAGE_SIZE];  // apply: the image to hold
    uint8_t size;                   // apply: image bytes; 0 when the parameter is not written
};

// How the operation as a whole ended.
enum class SetOutcome {
    ok,          // save: complete; compare: same; apply: every parameter to write holds its value
    different,   // compare: a parameter differs, or an entry does not fit the configuration
    noReader,    // the reader could not be opened: nothing done
    noTag,       // no tag identified itself: nothing done
    readFailed,  // a block read failed: save writes no set; apply wrote nothing
    failed,      // apply: a parameter failed or was not written (see the items)
    incomplete,  // apply: all written that could be, but set entries were not applied (see the items)
    anotherTag,  // apply: another tag answered before the writes: nothing written
};

// How opening the reader and identifying the tag went (ok, noReader or noTag), and why in the
// reader's words: what a console tool says about the reader as the window does.
struct TagOpening {
    SetOutcome outcome;
    ReaderOutcome reader;
    const LibraryReport* library;
};

struct SetReport {
    SetOutcome outcome;
    TagOpening opening;  // save, compare, apply, dry run: how the tag was reached
    uint64_t uid;        // the tag's, once identified
    bool uidKnown;
    bool fingerprintDiffers;  // the set was saved with another configuration
    SetItem items[SET_MAX_ITEMS];
    int count;
    // The tag's memory as read: which blocks the parameters concern, which were read.
    uint8_t memory[MEMORY_SIZE];
    bool wanted[TAG_BLOCKS];
    bool read[TAG_BLOCKS];
    // apply: the merged blocks to write, and how each fared.
    uint8_t merged[MEMORY_SIZE];
    bool toWrite[TAG_BLOCKS];
    bool accepted[TAG_BLOCKS];  // the tag took the write
    bool backRead[TAG_BLOCKS];  // read back after the writes, into after
    uint8_t after[MEMORY_SIZE];
    int blocksToRead;
    int blocksToWrite;
    int passwordsPresented;
};

// Whether an item needs the operator's eye: it failed, was not written, or differs.
bool needs_attention(SetStatus status);
// Whether a reason says the entry does not fit the configuration.
bool is_mismatch(SetReason reason);

// Items with each status; items refused for not fitting the configuration.
int count_status(const SetReport& report, SetStatus status);
int count_mismatches(const SetReport& report);
// Items whose set entry cannot be applied: not fitting the configuration, a Default entry that
// is not the parameter's default, or a value the parameter may not take.
int count_unappliable(const SetReport& report);
