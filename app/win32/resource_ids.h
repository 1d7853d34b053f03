#pragma once

// Numbers of the resources of zemra.exe and of the controls in its dialogs, shared by the
// resource script and the code. Plain macros, since the resource compiler reads this file too.

#define ZEMRA_IDD_ABOUT 100
#define ZEMRA_IDS_ABOUT_ENTRY 101
#define ZEMRA_IDD_CONVERTER 102
#define ZEMRA_IDI_PROGRAM 128

// Controls of the main dialog, besides IDOK (1) and IDCANCEL (2).
#define ZEMRA_IDC_READ_FILE 1000
#define ZEMRA_IDC_CONVERT 1001
#define ZEMRA_IDC_KX740E 1002
#define ZEMRA_IDC_KX740_FE_FR 1003
#define ZEMRA_IDC_REVERSE_PINS 1004

// The command of the About entry in the main dialog's system menu.
#define ZEMRA_IDM_ABOUT 16
