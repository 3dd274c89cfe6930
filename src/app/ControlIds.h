#pragma once
// Window class and control identifiers of the main window. The end-to-end driver finds
// the controls by these ids (GetDlgItem on the main window or on the developer group), and
// the windows by their class and by the captions of ProductInfo.h (R7716_MAIN_CAPTION,
// R7716_APP_TITLE).
#include "ProductInfo.h"

#define R7716_MAIN_CLASS "TForm1"

// Controls of the main window, in the order of creation.
#define IDC_COPIES_LABEL 101
#define IDC_IMPORT_FILE_LABEL 102
#define IDC_TYPES_FILES_LABEL 103
#define IDC_SUMMARY_FRAME 104
#define IDC_TYPES_FOLDER_LABEL 105
#define IDC_PRODUCT_LINK 106
#define IDC_COPYRIGHT_LABEL 107
#define IDC_CATALOG_LABEL 108
#define IDC_ICON_IMAGE 109
#define IDC_PATH_LABEL 110
#define IDC_VERSION_LABEL 111
#define IDC_INSTRUCTION_LABEL 112
#define IDC_INSTALL_BUTTON 113
#define IDC_DIRECTORY_LIST 114
#define IDC_DRIVE_LIST 115
#define IDC_PATH_FIELD 116
#define IDC_DEVELOPER_GROUP 117
// Children of the developer group box developerGroup_.
#define IDC_DIRECTORY_LABEL 118
#define IDC_STEPS_LABEL 119
#define IDC_FOLDER_NAME_LABEL 120
#define IDC_LINK_STEP_LABEL 121
#define IDC_TESTING_LABEL 122
#define IDC_GENERATE_BUTTON 123
#define IDC_OPEN_BUTTON 124
#define IDC_DEVICE_FOLDER_FIELD 125

// The developer group box is a window of its own class; its children are found with
// GetDlgItem on it.
#define R7716_GROUP_CLASS "TGroupBox"
// The simple message box (class #32770, caption R7716_APP_TITLE): its text control and its
// one button, "OK" (IDOK, the default button; Enter and Escape close the box too).
#define IDC_BOX_TEXT 0xFFFF
