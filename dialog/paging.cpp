// Page layout and page steps.
#include "dialog/paging.h"

#include "dialog/refresh.h"
#include "dialog/surface.h"
#include "model/param_table.h"

namespace {

void show_row(int row, bool on)
{
    show_control(IDC_LABEL + row, on);
    show_control(IDC_VALUE_BOX + row, on);
    show_control(IDC_ROW_BUTTON + row, on);
    show_control(IDC_DESCRIPTION + row, on);
}

void lay_out_row(int row, const ParamEntry& e)
{
    set_field_text(IDC_LABEL + row, e.name);
    set_field_text(IDC_DESCRIPTION + row, e.description);
    enable_control(IDC_LABEL + row, true);
    enable_control(IDC_DESCRIPTION + row, true);
    // A row that cannot be written (display only, a software version) has a button without a
    // caption, whatever row held it before.
    bool writable = e.mode != EditMode::DisplayOnly && e.type != ParamType::swver;
    set_field_text(IDC_ROW_BUTTON + row, !writable ? "" : e.mode == EditMode::Default ? "def." : "set");
    set_read_only(IDC_VALUE_BOX + row, e.mode != EditMode::Changeable);
    enable_control(IDC_VALUE_BOX + row, true);
    show_row(row, true);
}

}  // namespace

void show_page(int first)
{
    for (int row = 0; row < PAGE_ROWS; ++row) {
        int index = first + row;
        bool inside = index >= 0 && index < PARAM_COUNT;
        const ParamEntry* e = inside ? &ParamTable[index] : nullptr;
        if (e != nullptr && row_shown(*e)) lay_out_row(row, *e);
        else show_row(row, false);
    }
}

int step_page(PageStep kind, int page)
{
    if (kind == STEP_BACK && page > 0) --page;
    else if (kind == STEP_FORWARD && page < static_cast<int>(lastPage)) ++page;
    // Positions come from the scroll bar, whose range is 0 .. lastPage; keep any other value
    // inside the table.
    if (page < 0) page = 0;
    if (page > static_cast<int>(lastPage)) page = static_cast<int>(lastPage);
    show_page(page * PAGE_ROWS);
    currentPage = page;
    refresh_page();
    return page;
}
