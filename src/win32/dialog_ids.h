#pragma once
// Resource ids of the secondary windows' templates and their controls. The
// resource compiler reads this file too, so it holds plain defines only.

// Templates.
#define IDD_CONFIG 200
#define IDD_ADD_NAME 201
#define IDD_ABOUT 202
#define IDD_INSTRUCTIONS 203
#define IDD_TROUBLE 204

// The OK and Cancel buttons of every window use IDOK and IDCANCEL, so that
// Enter and Esc reach them through the dialog manager.

// TconfigForm.
#define IDC_CONFIG_BEVEL1 1001
#define IDC_CONFIG_SERVER_IP_LABEL 1002
#define IDC_CONFIG_SERVER_IP_COMBO 1003
#define IDC_CONFIG_PORT_LABEL 1004
#define IDC_CONFIG_SERVER_PORT_EDIT 1005
#define IDC_CONFIG_DEFAULT_LABEL 1006
#define IDC_CONFIG_MSG_SEND_LABEL 1007
#define IDC_CONFIG_TIMEOUT_EDIT 1008
#define IDC_CONFIG_LABEL10 1009
#define IDC_CONFIG_LABEL5 1010
// Number label n (1 ... 8) is IDC_CONFIG_NUMBER_LABEL + n - 1, message
// field n is IDC_CONFIG_MESSAGE_EDIT + n - 1.
#define IDC_CONFIG_NUMBER_LABEL 1011
#define IDC_CONFIG_MESSAGE_EDIT 1021

// TaddNameForm.
#define IDC_ADD_NAME_LABEL1 1101
#define IDC_ADD_NAME_LABEL2 1102
#define IDC_ADD_NAME_NAME_EDIT 1103
#define IDC_ADD_NAME_PAGER_ID_EDIT 1104

// TAboutform.
#define IDC_ABOUT_LABEL1 1201
#define IDC_ABOUT_LABEL11 1202
#define IDC_ABOUT_COMPANY_NAME 1203
#define IDC_ABOUT_BEVEL1 1204
#define IDC_ABOUT_LABEL3 1205
#define IDC_ABOUT_PHONE 1206
#define IDC_ABOUT_LABEL14 1207
#define IDC_ABOUT_FAX 1208
#define IDC_ABOUT_LABEL5 1209
#define IDC_ABOUT_EMAIL 1210
#define IDC_ABOUT_LABEL9 1211
#define IDC_ABOUT_WEB 1212
#define IDC_ABOUT_TROUBLE_BUTTON 1213
#define IDC_ABOUT_SERVER_LABEL 1214

// TinstructionsForm and TtroubleForm.
#define IDC_INFO_MEMO1 1301
