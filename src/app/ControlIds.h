#pragma once
// Window class and control identifiers of the main window. The end-to-end driver finds
// the controls by these ids (GetDlgItem on the main window or on the developer group), and
// the windows by their class and by the captions of ProductInfo.h (R7716_MAIN_CAPTION,
// R7716_APP_TITLE).
#include "ProductInfo.h"

#define R7716_MAIN_CLASS "TForm1"

// Controls of the main window, in the order of creation.
#define IDC_LABEL2 101
#define IDC_LABEL3 102
#define IDC_LABEL4 103
#define IDC_BEVEL1 104
#define IDC_LABEL5 105
#define IDC_LABEL55 106
#define IDC_LABEL6 107
#define IDC_LABEL7 108
#define IDC_IMAGE1 109
#define IDC_LABEL8 110
#define IDC_LABEL9 111
#define IDC_LABEL1 112
#define IDC_BUTTON2 113
#define IDC_DIRECTORYLISTBOX 114
#define IDC_DRIVECOMBOBOX 115
#define IDC_EDIT2 116
#define IDC_GROUPBOX_DEBUG 117
// Children of the developer group box GroupBox_Debug.
#define IDC_LABEL22 118
#define IDC_LABEL10 119
#define IDC_LABEL11 120
#define IDC_LABEL12 121
#define IDC_LABEL13 122
#define IDC_BUTTON1 123
#define IDC_BUTTON3 124
#define IDC_EDIT1 125

// The developer group box is a window of its own class; its children are found with
// GetDlgItem on it.
#define R7716_GROUP_CLASS "TGroupBox"
// The simple message box (class #32770, caption R7716_APP_TITLE): its text control and its
// one button, "OK" (IDOK, the default button; Enter and Escape close the box too).
#define IDC_BOX_TEXT 0xFFFF
