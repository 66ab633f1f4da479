#pragma once
// Identifiers shared by the resource script and the code.

#define IDI_WORDHAVEN 107
#define IDI_SMALL 108
#define IDC_LINK_HAND 103
#define IDC_WORDHAVEN 109
#define IDR_TRAY_MENU 112

#define IDD_ABOUTBOX 103
#define IDD_REGISTER 129
#define IDD_EDIT 130
#define IDD_FIND 131

#define IDS_APP_TITLE 103

#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_REGISTER 32772
#define IDM_HELP 32774
#define IDM_FIND 32775

// About dialog
#define IDC_MAIL_LINK 1047
#define IDC_MAIL_LABEL 1049
#define IDC_WEB_LINK 1048
#define IDC_WEB_LABEL 1050

// Registration dialog
#define IDC_GROUP_SELECTOR 1039
#define IDC_GROUP_LABEL 1040
#define IDC_NEW 1041
#define IDC_DELETE 1042
#define IDC_MOVE_UP 1043
#define IDC_MOVE_DOWN 1044
#define IDC_RENAME_LABEL 1045
#define IDC_RENAME 1046
#define IDC_APPLY 3
#define IDC_WORD_LIST 9999

// Edit dialog
#define IDC_TERM 1037
#define IDC_TERM_LABEL 1038
#define IDC_READING_LABEL 1039
#define IDC_READING 1040
#define IDC_SPELLING_LABEL 1041
#define IDC_SPELLING 1042
#define IDC_DESCRIPTION_LABEL 1043
#define IDC_DESCRIPTION 1044
#define IDC_COLLECTED_NOTE 1065

// Find window
#define IDC_FIND_LABEL 1060
#define IDC_FIND_TEXT 1061
#define IDC_FIND_COUNT 1062
#define IDC_FIND_RESULTS 1063
