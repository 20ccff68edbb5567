// Cross-line findings: two parameters writing the same bytes, names shown twice, blank pages.
#include "checker/table_findings.h"

#include <string.h>

#include "model/value_codec.h"

namespace {

void report_overlaps(Report& report)
{
    for (uint32_t j = 1; j < entryCount; ++j) {
        const ParamEntry& later = ParamTable[j];
        int laterSize = stored_size(later.type);
        if (laterSize == 0) continue;
        for (uint32_t i = 0; i < j; ++i) {
            const ParamEntry& earlier = ParamTable[i];
            int earlierSize = stored_size(earlier.type);
            if (earlierSize == 0) continue;
            int first = earlier.address > later.address ? earlier.address : later.address;
            int lastEarlier = earlier.address + earlierSize - 1;
            int lastLater = later.address + laterSize - 1;
            int last = lastEarlier < lastLater ? lastEarlier : lastLater;
            if (first > last) continue;
            begin_finding(report, report.lineOfRecord[j]);
            if (first == last) put_format(report, "overlap: byte %d of ", first);
            else put_format(report, "overlap: bytes %d-%d of ", first, last);
            put_quoted(report, later.name);
            put_format(report, " (parameter %u) also %s to ", static_cast<unsigned>(j + 1),
                       first == last ? "belongs" : "belong");
            put_quoted(report, earlier.name);
            put_format(report, " (parameter %u, line %d)", static_cast<unsigned>(i + 1), report.lineOfRecord[i]);
            end_finding(report);
            ++report.counts.overlaps;
        }
    }
}

void report_duplicates(Report& report)
{
    for (uint32_t j = 1; j < entryCount; ++j) {
        if (!row_shown(ParamTable[j])) continue;
        for (uint32_t i = 0; i < j; ++i) {
            if (!row_shown(ParamTable[i]) || strcmp(ParamTable[i].name, ParamTable[j].name) != 0) continue;
            begin_finding(report, report.lineOfRecord[j]);
            put_format(report, "duplicate name: parameter %u ", static_cast<unsigned>(j + 1));
            put_quoted(report, ParamTable[j].name);
            put_format(report, " has the name of parameter %u (line %d)", static_cast<unsigned>(i + 1),
                       report.lineOfRecord[i]);
            end_finding(report);
            ++report.counts.duplicates;
            break;
        }
    }
}

void report_empty_pages(Report& report)
{
    if (entryCount == 0) {
        finding(report, 1, 1, "empty page: no parameters, the window shows no rows");
        ++report.counts.emptyPages;
        return;
    }
    // The scroll bar exists only with more than 20 parameters; without it page 1 is all there is.
    uint32_t reachable = entryCount > PAGE_ROWS ? lastPage : 0;
    for (uint32_t page = 0; page <= reachable; ++page) {
        uint32_t first = page * PAGE_ROWS;
        uint32_t end = first + PAGE_ROWS < entryCount ? first + PAGE_ROWS : entryCount;
        bool shown = false;
        for (uint32_t i = first; i < end && !shown; ++i) shown = row_shown(ParamTable[i]);
        if (shown) continue;
        if (first >= entryCount) {
            finding(report, report.lineOfRecord[entryCount - 1], 1,
                    "empty page: page %u has no parameters, yet with %u parameters the scroll bar reaches it",
                    static_cast<unsigned>(page + 1), static_cast<unsigned>(entryCount));
        } else {
            finding(report, report.lineOfRecord[first], 1,
                    "empty page: page %u holds only empty parameters (%u to %u) and shows no row",
                    static_cast<unsigned>(page + 1), static_cast<unsigned>(first + 1), static_cast<unsigned>(end));
        }
        ++report.counts.emptyPages;
    }
}

}  // namespace

void report_table(Report& report)
{
    report_overlaps(report);
    report_duplicates(report);
    report_empty_pages(report);
}
