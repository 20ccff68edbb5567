// Carrying out an apply: read the blocks, write the merged ones, read them back, and say for
// every parameter what came of it.
#include "sets/apply_run.h"

#include <string.h>

#include "model/config.h"
#include "sets/apply_plan.h"
#include "sets/set_match.h"
#include "sets/set_tag.h"
#include "sets/tag_blocks.h"
#include "tag/identify.h"
#include "tag/security.h"

namespace {

struct WriteStop {
    int block;  // the block whose write failed, -1 when none did
    BlockWrite how;
};

// Each block once in ascending order; a refused block is retried once after the password is
// presented again. The first failure ends the writing.
WriteStop write_blocks(SetReport* report)
{
    present_password(password);
    ++report->passwordsPresented;
    for (int b = 0; b < TAG_BLOCKS; ++b) {
        if (!report->toWrite[b]) continue;
        BlockWrite how = tag_write_block(b, report->merged + BLOCK_SIZE * b);
        if (how == BlockWrite::refused) {
            ++report->passwordsPresented;
            if (!present_password(password)) return WriteStop{b, BlockWrite::refused};
            how = tag_write_block(b, report->merged + BLOCK_SIZE * b);
        }
        if (how != BlockWrite::ok) return WriteStop{b, how};
        report->accepted[b] = true;
    }
    return WriteStop{-1, BlockWrite::ok};
}

// Every block the tag took, read back once; a failed read ends the reading (the tag has gone).
void read_back(SetReport* report)
{
    for (int b = 0; b < TAG_BLOCKS; ++b) {
        if (!report->accepted[b]) continue;
        report->backRead[b] = tag_read_block(b, report->after + BLOCK_SIZE * b);
        if (!report->backRead[b]) return;
    }
}

// What came of one parameter with an image, judged by the blocks and bytes alone.
void judge(SetReport* report, SetItem& item, const WriteStop& stop)
{
    int32_t address = item_address(item);
    int first = address / BLOCK_SIZE, last = (address + item.size - 1) / BLOCK_SIZE;
    int accepted = 0, unverified = -1, differs = -1;
    bool hit = false;
    for (int b = first; b <= last; ++b) {
        hit = hit || b == stop.block;
        if (!report->accepted[b]) continue;
        ++accepted;
        if (!report->backRead[b]) {
            if (unverified < 0) unverified = b;
            continue;
        }
        for (int k = b * BLOCK_SIZE; k < (b + 1) * BLOCK_SIZE; ++k)
            if (k >= address && k < address + item.size && report->after[k] != item.image[k - address] && differs < 0)
                differs = b;
    }
    bool pending = item.status == SetStatus::notWritten;
    if (pending && accepted < last - first + 1) {
        item.block = static_cast<int16_t>(stop.block);
        if (accepted == 0 && !hit) {
            item.reason = SetReason::earlierFailure;
            return;
        }
        item.status = SetStatus::failed;
        item.reason = stop.how == BlockWrite::noAnswer ? SetReason::writeNoAnswer : SetReason::writeRefused;
        // A block is written whole or not at all; an image over several may be left part new.
        item.mayBeHalfWritten = last > first && (accepted > 0 || stop.how == BlockWrite::noAnswer);
        return;
    }
    if (differs >= 0 || unverified >= 0) {
        item.status = SetStatus::failed;
        item.reason = differs >= 0 ? SetReason::readBackDiffers : SetReason::readBackFailed;
        item.block = static_cast<int16_t>(differs >= 0 ? differs : unverified);
        return;
    }
    if (pending) item.status = SetStatus::written;
}

SetOutcome finish(SetReport* report)
{
    bool failed = count_status(*report, SetStatus::failed) > 0 || count_status(*report, SetStatus::notWritten) > 0;
    return report->outcome = failed                           ? SetOutcome::failed
                             : count_unappliable(*report) > 0 ? SetOutcome::incomplete
                                                              : SetOutcome::ok;
}

// Requests carry no UID, so a tag put in place of the one read would take the merged blocks and
// with them the other tag's bytes: the tag is asked again before the first write and after the
// read-back, which would otherwise have checked the wrong tag.
SetOutcome which_tag(const SetReport& report)
{
    uint64_t uid = 0;
    if (!tag_identify(&uid)) return SetOutcome::noTag;
    return uid == report.uid ? SetOutcome::ok : SetOutcome::anotherTag;
}

void mark_pending(SetReport* report, SetReason reason, int block)
{
    for (int i = 0; i < report->count; ++i) {
        SetItem& item = report->items[i];
        if (item.status != SetStatus::notWritten) continue;
        item.reason = reason;
        item.block = static_cast<int16_t>(block);
    }
}

}  // namespace

SetOutcome apply_opened_tag(const ParamSet& set, uint64_t uid, SetReport* report)
{
    plan_apply(set, report);
    report->uid = uid;
    report->uidKnown = true;
    int unread = read_wanted_blocks(report, true);
    if (unread >= 0) {
        mark_pending(report, SetReason::noAnswer, unread);
        return report->outcome = SetOutcome::readFailed;
    }
    plan_writes(report);
    if (report->blocksToWrite == 0) return finish(report);
    SetOutcome before = which_tag(*report);
    if (before != SetOutcome::ok) {
        mark_pending(report, SetReason::tagChanged, -1);
        return report->outcome = before;
    }
    WriteStop stop = write_blocks(report);
    read_back(report);
    for (int i = 0; i < report->count; ++i)
        if (report->items[i].size > 0) judge(report, report->items[i], stop);
    if (which_tag(*report) != SetOutcome::ok) {
        for (int i = 0; i < report->count; ++i) {
            SetItem& item = report->items[i];
            if (item.status != SetStatus::written) continue;
            item.status = SetStatus::failed;
            item.reason = SetReason::notVerified;
        }
    }
    return finish(report);
}

SetOutcome apply_tag_set(const ParamSet& set, SetReport* report)
{
    uint64_t uid = 0;
    TagOpening opened = open_tag(&uid);
    SetOutcome outcome = opened.outcome;
    if (outcome == SetOutcome::ok) outcome = apply_opened_tag(set, uid, report);
    else plan_apply(set, report);  // the parameters to write stay "not written"; the outcome says why
    report->opening = opened;
    return report->outcome = outcome;
}
