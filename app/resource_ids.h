#pragma once
// Resource identifiers shared by the resource script and the code.

// The application icon group is named, not numbered: "DEFAULT_ICON".
#define IDC_HAND_POINTER 101

// Control identifiers of the main window's children.
#define IDC_LABEL1 1001
#define IDC_EDIT1 1002
#define IDC_BUTTON1 1003
#define IDC_COMMONDLG1 1004
#define IDC_PROGRESS1 1005
#define IDC_EDIT2 1006
#define IDC_BUTTON2 1007
#define IDC_BUTTON3 1008
#define IDC_HYPERLINK1 1009
