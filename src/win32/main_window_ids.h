#pragma once
// Resource and control numbers of the main window, shared by the resource
// script and the code. Plain macros: the resource compiler reads this too.

#define IDI_PROGRAM 1           /* the program's icon: the lowest number, so shells pick it */
#define IDR_MANIFEST 1

#define IDD_MAINFORM 1000
#define IDR_MAINMENU 1001

#define IDM_EXIT 1011
#define IDM_CONFIGURE 1012
#define IDM_ABOUT 1013

#define IDC_MESSAGEPANEL 1020
#define IDC_MESSAGELABEL 1021
#define IDC_BEVEL3 1022
#define IDC_LABEL2 1023
#define IDC_IDEDITFIELD 1024
#define IDC_SELECTINGPANEL 1025
#define IDC_LABEL6 1026
#define IDC_LABEL7 1027
#define IDC_LABEL1 1028
#define IDC_LENGTHLABEL 1029
#define IDC_CLEARBUTTON 1030
#define IDC_MESSAGEMEMO 1031
#define IDC_STANDARDMESSAGESLABEL 1032
#define IDC_PICKBUTTON1 1033 /* … IDC_PICKBUTTON1 + 7 */
#define IDC_BEVEL1 1041
#define IDC_SENDBUTTON 1042
#define IDC_CANCELSENDBUTTON 1043
#define IDC_LABEL3 1044
#define IDC_MESSAGESTATUSLABEL 1045
#define IDC_BEVEL2 1046
#define IDC_LABEL4 1047
#define IDC_NAMESLISTBOX 1048
#define IDC_ADDBUTTON 1049
#define IDC_DELETEBUTTON 1050
#define IDC_EDITNAMEBUTTON 1051
#define IDC_CHECKALLBUTTON 1052
#define IDC_UNCHECKALLBUTTON 1053
#define IDC_INSTRUCTIONSBUTTON 1054
#define IDC_SENDINGMEMO 1055
#define IDC_STATUSBAR1 1056
