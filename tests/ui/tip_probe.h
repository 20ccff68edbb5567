// What the UI tests and the tooltip probe placed into pelox.exe agree on: a tooltip's text lives
// in the owning process, so the probe hands it back as a global atom in a window property.
#pragma once

#define TIP_PROBE_MESSAGE "PeloxUiTests.TipProbe"  // sent to the dialog, wParam the control id
#define TIP_PROBE_TEXT    "PeloxUiTests.TipText"   // the atom; no property when there is no tip
