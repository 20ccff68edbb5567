// The fault campaign: every simulator fault at every step of start-up, a page refresh, paging,
// a write of each type at each block offset and the security setup. For each case: what the user
// sees, that no tag byte outside the written parameter changed, and that the next refresh with
// the fault gone shows the true values again.
#include <gtest/gtest.h>

#include <ctype.h>
#include <stdio.h>

#include <functional>

#include "dialog/marking.h"
#include "dialog/actions.h"
#include "dialog/paging.h"
#include "dialog/refresh.h"
#include "dialog/security_setup.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "fakes/fake_module_path.h"
#include "fault/fault_plan.h"
#include "fault/fault_scenes.h"
#include "fault/fault_screen.h"
#include "support/program_fixture.h"
#include "support/temp_files.h"
#include "support/time_zone.h"
#include "tag/tag_memory.h"

namespace {

using Bytes = std::vector<uint8_t>;

// What must hold after the operation ran under the fault.
struct Outcome {
    Screen screen;
    Bytes memory;
    uint8_t sector[2];
    uint32_t password1;
    std::vector<std::string> truth;  // per row: what the next good refresh shows
};

struct Operation {
    std::string name;
    std::function<void()> prepare;  // the fault-free state just before the operation
    std::function<void()> run;
    std::function<void(FaultModel&, Outcome&)> predict;
};

int blocks_of(int32_t address, int size)
{
    return (address + size - 1) / 4 - address / 4 + 1;
}

int stored_bytes(ParamType type)
{
    return type == ParamType::int8 ? 3 : type == ParamType::int16 ? 4 : 6;
}

// A row whose value could not be read: empty box, button disabled.
void unread(Outcome& o, int row)
{
    o.screen.box[row].clear();
    o.screen.button[row] = false;
}

// How one parameter's read shows, and whether all its block reads succeeded.
bool predict_row(FaultModel& model, Outcome& o, int row, const SceneParam& p)
{
    bool read = true;
    for (int b = 0; b < blocks_of(p.address, stored_bytes(p.type)) && read; ++b) read = model.request() == Fate::ok;
    o.screen.box[row] = read ? p.text : "No answer";
    o.screen.button[row] = read && p.mode != EditMode::DisplayOnly && p.type != ParamType::swver;
    return read;
}

// refresh_page of the current page: the mark cleared, the reader opened, the tag identified,
// every row read. Rows that cannot be read keep nothing of what they showed before.
void predict_refresh(FaultModel& model, Outcome& o)
{
    o.screen.marked = 0;
    if (const char* message = model.open()) {
        o.screen.caption = "ORVELTIDE";
        for (int row = 0; row < PAGE_ROWS; ++row) unread(o, row);
        o.screen.box[0] = message;
        return;
    }
    Fate id = model.request();
    if (id == Fate::failed) {
        o.screen.caption = "ORVELTIDE   no device";
        for (int row = 0; row < PAGE_ROWS; ++row) unread(o, row);
        return;
    }
    o.screen.caption = id == Fate::ok ? kTrueCaption : kFlaggedCaption;
    for (uint32_t row = 0; row < entryCount && row < PAGE_ROWS; ++row) {
        int index = currentPage * PAGE_ROWS + static_cast<int>(row);
        if (index >= static_cast<int>(entryCount)) {
            o.screen.box[row] = "Unknown Type";  // an unused record of a later page, hidden
            continue;
        }
        predict_row(model, o, static_cast<int>(row), scene_param(index));
    }
}

void truth_of_pages(Outcome& o)
{
    o.truth.assign(PAGE_ROWS, "");
    for (int row = 0; row < PAGE_ROWS; ++row) {
        int index = currentPage * PAGE_ROWS + row;
        if (index < static_cast<int>(entryCount)) o.truth[static_cast<size_t>(row)] = scene_param(index).text;
    }
}

// Rows showing something else than a refresh would, buttons in a pattern, and a marked box, so
// that whatever an operation leaves alone is seen to stay.
void stale_screen()
{
    for (int row = 0; row < PAGE_ROWS; ++row) {
        set_field_text(IDC_VALUE_BOX + row, ("old " + std::to_string(row)).c_str());
        enable_control(IDC_ROW_BUTTON + row, row % 2 == 0);
    }
    set_title("ORVELTIDE      0000000000000000   ");
    mark_refused(3, "refused");
}

void show_pages(int count, int page)
{
    put_pages(count);
    currentPage = page;
    show_page(page * PAGE_ROWS);
    stale_screen();
}

Operation page_step(const char* name, int count, int from, PageStep kind, int argument, int to)
{
    return {name, [=] { show_pages(count, from); },
            [=] {
                EXPECT_EQ(step_page(kind, argument), to);
                // The new page is laid out whatever the reader does.
                for (int row = 0; row < PAGE_ROWS; ++row) {
                    bool used = to * PAGE_ROWS + row < count;
                    EXPECT_EQ(fake_control(IDC_LABEL + row).visible, used) << row;
                    if (used) {
                        EXPECT_EQ(fake_text(IDC_LABEL + row), "P" + std::to_string(to * PAGE_ROWS + row)) << row;
                    }
                }
            },
            [=](FaultModel& model, Outcome& o) {
                predict_refresh(model, o);
                truth_of_pages(o);
            }};
}

TempFolder& config_folder()
{
    static TempFolder folder;
    return folder;
}

Operation start_up()
{
    return {"start-up",
            [] {
                put_pages(25);  // the tag's images; the table comes from the file
                clear_table();
                config_folder().write("Pelox.ini", scene_config(25));
                fake_module_path_set((config_folder().path() + "pelox.exe").c_str());
            },
            [] {
                dialog_start();
                EXPECT_EQ(fakeWindow.timerPeriod, 500);
                EXPECT_EQ(fakeWindow.scrollLast, 1);
                EXPECT_TRUE(fake_control(IDC_SSEC).visible);
                EXPECT_STREQ(fake_text(IDC_LABEL + 19), "P19");
            },
            [](FaultModel& model, Outcome& o) {
                predict_refresh(model, o);
                if (const char* message = model.open()) o.screen.box[0] = message;
                truth_of_pages(o);
            }};
}

Operation security()
{
    return {"security setup",
            [] {
                show_pages(PAGE_ROWS, 0);
                password = SCENE_PASSWORD;
            },
            [] { security_setup(); },
            [](FaultModel& model, Outcome& o) {
                predict_refresh(model, o);
                truth_of_pages(o);
                // Locking needs no password; setting one needs password 1 granted by either
                // presentation of the factory password.
                bool granted = model.request() == Fate::ok;
                Fate lock0 = model.request();
                bool failed = lock0 == Fate::failed;
                if (lock0 == Fate::flagged) o.screen.box[0] = "err lock 0";
                if (lock0 == Fate::ok) o.sector[0] = 0x09;
                if (!failed) {
                    Fate lock1 = model.request();
                    failed = lock1 == Fate::failed;
                    if (lock1 == Fate::flagged) o.screen.box[0] = "err lock 1";
                    if (lock1 == Fate::ok) o.sector[1] = 0x09;
                }
                if (failed) o.screen.box[0] = "No answer";
                granted = model.request() == Fate::ok || granted;
                Fate set = model.request();
                if (set == Fate::failed) o.screen.box[1] = "No answer";
                else if (set == Fate::flagged || !granted) o.screen.box[0] = "err set pwd";
                else o.password1 = SCENE_PASSWORD;
            }};
}

Operation write_of(const WriteScene& scene)
{
    std::string name = std::string("write ") +
                       (scene.type == ParamType::int8    ? "int8"
                        : scene.type == ParamType::int16 ? "int16"
                        : scene.type == ParamType::int32 ? "int32"
                                                         : "time") +
                       " at offset " + std::to_string(scene.offset);
    return {name,
            [scene] {
                put_write_scene(scene);
                show_page(0);
                refresh_page();
                reader_open();  // as after any refresh: the tag has forgotten presented passwords
                set_field_text(IDC_VALUE_BOX + WRITE_ROW, std::to_string(scene.newValue).c_str());
            },
            [] { write_param(WRITE_ROW); },
            [scene](FaultModel& model, Outcome& o) {
                int first = scene.address() / 4, blocks = blocks_of(scene.address(), scene.size());
                bool granted = model.request() == Fate::ok;
                bool done = true;
                for (int b = 0; b < blocks && done; ++b) done = model.request() == Fate::ok;
                Bytes image = image_of(scene.type, static_cast<uint32_t>(scene.newValue));
                Bytes wanted = o.memory;
                std::copy(image.begin(), image.end(), wanted.begin() + scene.address());
                for (int b = first; b < first + blocks && done; ++b) {
                    done = model.request() == Fate::ok && granted;  // the locked sector refuses without it
                    if (done) std::copy(wanted.begin() + 4 * b, wanted.begin() + 4 * b + 4, o.memory.begin() + 4 * b);
                }
                o.screen.marked |= 1u << WRITE_ROW;
                // A write that went through is read back, block by block, and shown as stored.
                SceneParam written = {scene.type, scene.address(), EditMode::Changeable, false, 0, scene.newText};
                if (done && predict_row(model, o, WRITE_ROW, written)) o.screen.marked &= ~(1u << WRITE_ROW);
                Bytes now(o.memory.begin() + scene.address(), o.memory.begin() + scene.address() + scene.size());
                // A half-written image must fail its CRC rather than show a number.
                const char* shown = now == image                                 ? scene.newText
                                    : now == image_of(scene.type, scene.oldBits) ? scene.oldText
                                                                                 : "Not set";
                o.truth = write_scene_texts(shown);
                o.truth.resize(PAGE_ROWS);
            }};
}

std::vector<Operation> operations()
{
    std::vector<Operation> ops = {
        start_up(),
        {"refresh of a full page", [] { show_pages(PAGE_ROWS, 0); }, [] { refresh_page(); },
         [](FaultModel& model, Outcome& o) {
             predict_refresh(model, o);
             truth_of_pages(o);
         }},
        page_step("one page forward", 45, 0, STEP_FORWARD, 0, 1),
        page_step("one page back", 45, 1, STEP_BACK, 1, 0),
        page_step("to the last page", 45, 0, STEP_TO, 2, 2),
        security(),
    };
    for (const WriteScene& scene : kWriteScenes) ops.push_back(write_of(scene));
    return ops;
}

class FaultCampaign : public ProgramTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        set_time_zone("UTC0");
    }

    static Outcome observe()
    {
        return {screen_now(), whole_memory(), {sim_sector_status(0), sim_sector_status(1)}, sim_password(1), {}};
    }

    // The state before the operation, with the counts of its calls when nothing goes wrong.
    void prepare(const Operation& op, int* connects, int* selects, int* requests)
    {
        ProgramTest::SetUp();
        op.prepare();
        sim_clear_counters();
        op.run();
        *connects = static_cast<int>(sim_calls(SIM_CONNECT));
        *selects = static_cast<int>(sim_calls(SIM_SELECT));
        *requests = static_cast<int>(sim_calls(SIM_ANY_REQUEST));
    }
};

TEST_P(FaultCampaign, EveryFaultAtEveryStep)
{
    const Operation op = operations()[static_cast<size_t>(GetParam())];
    int connects = 0, selects = 0, requests = 0;
    prepare(op, &connects, &selects, &requests);
    ASSERT_GT(requests, 0) << op.name;
    int cases = 0;

    for (const Fault& fault : faults_for(connects, selects, requests)) {
        std::string where = op.name + ", " + describe(fault);
        SCOPED_TRACE(where);
        ProgramTest::SetUp();
        set_time_zone("UTC0");
        op.prepare();
        Outcome expected = observe();
        inject(fault);
        op.run();
        FaultModel model(fault);
        op.predict(model, expected);
        expect_screen(expected.screen, where);
        EXPECT_EQ(hex_bytes(whole_memory()), hex_bytes(expected.memory)) << where;
        EXPECT_EQ(sim_sector_status(0), expected.sector[0]) << where;
        EXPECT_EQ(sim_sector_status(1), expected.sector[1]) << where;
        EXPECT_EQ(sim_password(1), expected.password1) << where;

        // With the fault gone the page shows the truth again.
        remove_faults();
        refresh_page();
        EXPECT_STREQ(fakeWindow.caption, kTrueCaption) << where;
        EXPECT_EQ(first_red_box(), NO_FIELD) << where;
        for (int row = 0; row < PAGE_ROWS; ++row) {
            const ParamEntry& e = record_at(currentPage, row);
            if (e.type == ::ParamType::none) continue;
            EXPECT_EQ(fake_text(IDC_VALUE_BOX + row), expected.truth[static_cast<size_t>(row)])
                << where << ", row " << row;
            if (e.type != ::ParamType::swver) {
                EXPECT_EQ(fake_control(IDC_ROW_BUTTON + row).enabled, e.mode != EditMode::DisplayOnly)
                    << where << ", row " << row;
            }
        }
        ++cases;
        if (HasFailure()) return;  // one broken case tells enough
    }
    printf("[   CASES  ] %s: %d faults\n", op.name.c_str(), cases);
}

std::string operation_name(const ::testing::TestParamInfo<int>& info)
{
    std::string name;
    const std::string words = operations()[static_cast<size_t>(info.param)].name;
    for (char c : words)
        if (isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultCampaign, ::testing::Range(0, static_cast<int>(operations().size())),
                         operation_name);

}  // namespace
