// Inside sets/: the tag memory a report's parameters concern, read a block at a time.
#pragma once
#include <stdint.h>

#include "sets/set_report.h"

// The stored image of an item's parameter: its record's address and size.
int32_t item_address(const SetItem& item);
int item_size(const SetItem& item);

// Marks the blocks an item's image touches as wanted.
void want_blocks(SetReport* report, const SetItem& item);
// Reads every wanted block not yet read, in ascending order. With stopAtFailure the first failure
// ends the reading. Returns the first block that failed, -1 when none did.
int read_wanted_blocks(SetReport* report, bool stopAtFailure);
// The first block of an item's image that was not read, -1 when all were.
int unread_block(const SetReport& report, const SetItem& item);
