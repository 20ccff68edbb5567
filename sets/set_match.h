// Inside sets/: the report's start, the pairing of a set with the configuration, the tag memory
// the parameters concern.
#pragma once
#include "sets/param_set.h"
#include "sets/set_report.h"

// An empty report, outcome ok.
void start_report(SetReport* report);

// One item per parameter of the configuration with a stored image (status same when the set has
// it, read when there is no set) and per entry that fits none, mismatches skipped with their
// reason. Items of parameters follow the configuration's order; unknown entries come last.
void match_set(const ParamSet* set, SetReport* report);

// Whether a reason says the entry does not fit the configuration.
bool is_mismatch(SetReason reason);

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
