#!/usr/bin/env python3
"""Prints the performance table (Markdown) from what scripts/bench gathered in one folder:
bench.json (Google Benchmark, aggregates), tests.json (GoogleTest), startup.txt ("key value"
lines of startup_timer.exe), size.txt (bytes of pelox.exe), machine.txt (lines as they stand)."""
import json
import os
import sys
import textwrap

folder = sys.argv[1]


def read(name):
    path = os.path.join(folder, name)
    return open(path).read() if os.path.exists(path) else None


OPERATIONS = [
    ("load_config_100", "`load_config`, 100 definitions"),
    ("refresh_full_page", "`refresh_page`, full page of 20 parameters"),
    ("step_page_full", "`step_page` to the next full page"),
    ("write_typed/int8", "`write_param`, int8"),
    ("write_typed/int16", "`write_param`, int16"),
    ("write_typed/int32", "`write_param`, int32"),
    ("write_typed/time", "`write_param`, time"),
    ("apply_example_set", "`apply_tag_set`, examples/example.set on a factory-fresh tag"),
    ("write_example_set_by_buttons", "the same 19 values by the rows' buttons (`write_param` each)"),
    ("apply_example_set_unchanged", "`apply_tag_set`, the tag already holding the set"),
]
SLOW_REFRESH = "refresh_full_page_4ms/iterations:10/real_time"
PRODUCTION = [
    ("produce_device_4ms/iterations:5/real_time", "`produce`, one device, example set, fresh tag, 4 ms an exchange"),
    ("produce_numbered_device_4ms/iterations:5/real_time", "the same with `--number Addr=1`"),
    ("verify_device_4ms/iterations:5/real_time", "`verify`, one device holding the set, 4 ms an exchange"),
    ("dry_run_4ms/iterations:5/real_time", "`apply --dry-run`, fresh tag, 4 ms an exchange"),
    ("log_decisions_100000_rows/iterations:20/real_time",
     "a device's decisions on a 100 000-row log: two turns at its lock, the reservation and the result row on the disk"),
    ("log_open_100000_rows/iterations:3/real_time", "the first reading of a 100 000-row log, once a run"),
]
PRODUCTION_LINE = "production_line_4ms/iterations:1/real_time"
UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def duration(ns):
    if ns >= 1e6:
        return "%.1f ms" % (ns / 1e6)
    if ns >= 1e3:
        return "%.1f µs" % (ns / 1e3)
    return "%.0f ns" % ns


def count(value):
    return "-" if value is None else "%g" % round(value, 2)


rows = []
notes = []
bench = read("bench.json")
medians = {}
if bench:
    for b in json.loads(bench)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = b
for key, label in OPERATIONS:
    b = medians.get(key)
    if b is None:
        rows.append((label, "not measured", "", "", ""))
        continue
    ns = b["real_time"] * UNIT_NS[b["time_unit"]]
    allocations = count(b.get("allocations"))
    if key == "load_config_100" and b.get("allocations"):
        allocations += " (1)"
        notes.append("(1) The C library's stream: `fopen` allocates its FILE record and, at the first read, "
                     "its buffer. A bare fopen, getc and fclose of the same file allocates as many "
                     "(`NoAllocation.LoadingTheConfigurationAllocatesOnlyTheCStream`); `load_config` "
                     "runs once, at start-up.")
    rows.append((label, duration(ns), count(b.get("reader_calls")), count(b.get("requests")), allocations))
b = medians.get(SLOW_REFRESH)
if b is not None:
    ns = b["real_time"] * UNIT_NS[b["time_unit"]]
    rows.append(("`refresh_page`, full page, reader taking 4 ms per exchange", duration(ns),
                 count(b.get("reader_calls")), count(b.get("requests")), count(b.get("allocations"))))
    rows.append(("... of which outside the reader", "%s (%.3f %%)" % (duration(b["outside_reader_us"] * 1e3),
                                                                    b["outside_reader_pct"]), "", "", ""))

for key, label in PRODUCTION:
    b = medians.get(key)
    if b is not None:
        rows.append((label, duration(b["real_time"] * UNIT_NS[b["time_unit"]]), count(b.get("reader_calls")),
                     count(b.get("requests")), "-"))
b = medians.get(PRODUCTION_LINE)
if b is not None:
    rows.append(("`produce`, ten tags each taken away at once: devices a minute with the polls for leaving",
                 "%.1f" % b["devices_per_minute"], "", "", ""))

tests = read("tests.json")
if tests:
    t = json.loads(tests)
    passed = t["tests"] - t["failures"] - t.get("disabled", 0)
    rows.append(("request-count, allocation and timing tests (`performance_tests`)",
                 "%d of %d passed" % (passed, t["tests"]), "", "", ""))

startup = read("startup.txt")
if startup:
    s = dict(line.split(" ", 1) for line in startup.splitlines() if " " in line)
    n = s.get("repetitions", "?")
    rows.append(("start-up to the first page shown, `pelox.exe` under Wine, median (least) of %s" % n,
                 "%s ms (%s ms)" % (s["pelox_ms"], s["pelox_least_ms"]), "", "", ""))
    rows.append(("start-up of the bare dialog program, median (least) of %s" % n,
                 "%s ms (%s ms)" % (s["baseline_ms"], s["baseline_least_ms"]), "", "", ""))
    rows.append(("start-up ratio, `pelox.exe` / bare dialog, of the medians (of the least)",
                 "%s (%s)" % (s["ratio"], s["least_ratio"]), "", "", ""))
else:
    rows.append(("start-up under Wine", "not measured (see scripts/bench's messages)", "", "", ""))
size = read("size.txt")
if size:
    rows.append(("size of `pelox.exe` as shipped (win64, Release, static, stripped)", "{:,} bytes".format(int(size)).replace(",", " "),
                 "", "", ""))

machine = read("machine.txt")
if machine:
    for line in machine.splitlines():
        print("- " + line)
    print()
print("| measure | figure | reader calls / op | requests / op | allocations / op |")
print("|---|---|---|---|---|")
for row in rows:
    print("| " + " | ".join(row) + " |")
for note in notes:
    print()
    print(textwrap.fill(note, 100, break_on_hyphens=False))
