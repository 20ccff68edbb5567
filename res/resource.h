// Control, dialog and icon identifiers: the one list shared by the dialog template (pelox.rc) and
// the program's code. A row's four controls take the row number (0 to 19) added to their base.
// Plain #defines, since the resource compiler reads this file too.
#pragma once

#define IDD_PELOX 101
#define IDI_PELOX 102

#define IDC_CANCEL      2  // Escape or the close box; the window system's IDCANCEL
#define IDC_READ        1005
#define IDC_SSEC        1007
#define IDC_VALUE_BOX   1100
#define IDC_ROW_BUTTON  1200
#define IDC_LABEL       1300
#define IDC_DESCRIPTION 1400
