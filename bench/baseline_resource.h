// Identifiers of the bare dialog's template.
#pragma once

#define IDD_BASELINE       101
#define IDC_BASELINE_FIRST 1100
