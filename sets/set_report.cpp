// Counting a report's items.
#include "sets/set_report.h"

bool needs_attention(SetStatus status)
{
    return status == SetStatus::different || status == SetStatus::failed || status == SetStatus::notWritten;
}

bool is_mismatch(SetReason reason)
{
    return reason >= SetReason::notInSet && reason <= SetReason::addressAndTypeDiffer;
}

int count_status(const SetReport& report, SetStatus status)
{
    int n = 0;
    for (int i = 0; i < report.count; ++i) n += report.items[i].status == status;
    return n;
}

int count_mismatches(const SetReport& report)
{
    int n = 0;
    for (int i = 0; i < report.count; ++i) n += is_mismatch(report.items[i].reason);
    return n;
}

int count_unappliable(const SetReport& report)
{
    int n = 0;
    for (int i = 0; i < report.count; ++i) {
        SetReason r = report.items[i].reason;
        n += is_mismatch(r) || r == SetReason::notItsDefault || r == SetReason::doesNotFit ||
             r == SetReason::outsideLimits;
    }
    return n;
}
