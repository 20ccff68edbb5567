// Start-up sequence and the routing of buttons and timer ticks.
#include "dialog/actions.h"

#include "dialog/paging.h"
#include "dialog/reader_status.h"
#include "dialog/refresh.h"
#include "dialog/security_setup.h"
#include "dialog/surface.h"
#include "dialog/write.h"
#include "model/config.h"
#include "model/config_path.h"
#include "model/param_table.h"

void dialog_start()
{
    // Without a configuration the rows stay as the template made them and "ssec" stays visible;
    // row 0 says what is missing.
    ConfigLoad outcome = ConfigLoad::read;
    if (load_config(&outcome)) {
        note_configuration_loaded();
        if (Setsecurity == 0) show_control(IDC_SSEC, false);
        if (entryCount > PAGE_ROWS) set_scroll_range(static_cast<int>(lastPage));
        show_page(0);
        currentPage = 0;
        refresh_page();
    } else {
        show_no_configuration(outcome);
    }
    start_refresh_timer(scanInterval);
    open_reader();
}

bool dialog_command(int code, int id)
{
    if (code != 0) return false;  // only "button clicked"; edit notifications are ignored
    if (id == IDC_READ) refresh_page();
    else if (id == IDC_SSEC) security_setup();
    else if (id >= IDC_ROW_BUTTON && id < IDC_ROW_BUTTON + PAGE_ROWS) write_param(id - IDC_ROW_BUTTON);
    return id == IDC_CANCEL;
}

void dialog_timer()
{
    if (scanEnabled == 1) scan_page();
}
