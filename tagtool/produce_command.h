// pelox-tag produce and verify: a production run, or a verifying station's.
#pragma once
#include <stdio.h>

// A production run (or with verify a verifying station's): set the set file, log the CSV log,
// count 0 until Ctrl+C, number "NAME=FIRST[,STEP]" or "NAME=continue" or null, again: write
// tags the log records as done for the set.
struct ProductionOptions {
    const char* set;
    const char* log;
    int count;
    const char* number;
    bool again;
    const char* productionLog;  // verify: the producing station's log, by which each device's number is known
    bool semicolons;            // a new log separates its fields with ';', as spreadsheets in many countries read them
    bool verify;
};
int command_produce(const ProductionOptions& options, FILE* out, FILE* err);
