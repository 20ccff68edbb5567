// What the UI tests and the tooltip probe placed into pelox.exe agree on: a tooltip's text lives
// in the owning process, so the probe hands it back as global atoms in window properties.
#pragma once

#define TIP_PROBE_MESSAGE "PeloxUiTests.TipProbe"  // sent to the dialog, wParam the control id
// The text of the tool that is the control, and of the one that is its area in the dialog (for
// a disabled control); no property where there is no such tool.
#define TIP_PROBE_TEXT      "PeloxUiTests.TipText"
#define TIP_PROBE_AREA_TEXT "PeloxUiTests.TipAreaText"
