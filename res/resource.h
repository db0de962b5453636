// Resource identifiers, shared by the resource script and the code.
#pragma once

#define IDI_GRABNIK 101
#define IDC_BRUSH 102
#define IDD_HOTKEY_SETUP 103

// Setup dialog controls: modifier boxes and key list of each hotkey.
#define IDC_SEL_CONTROL 1002
#define IDC_SEL_ALT 1003
#define IDC_SEL_SHIFT 1004
#define IDC_SEL_WIN 1005
#define IDC_SEL_KEY 1006
#define IDC_FILE_CONTROL 1007
#define IDC_FILE_ALT 1008
#define IDC_FILE_SHIFT 1009
#define IDC_FILE_WIN 1010
#define IDC_FILE_KEY 1011
