// Resource and control identifiers.
#pragma once

#define IDD_ABOUT 100
#define IDD_SETTINGS 102
#define IDI_APP 128
#define IDD_OUTPUT 129
#define IDR_DEFAULT_STORE 200
#define IDD_ADVANCED 130

#define IDC_ENABLE 1002
#define IDC_ABOUT 1004
#define IDC_WIDTH 1011
#define IDC_HEIGHT 1012
#define IDC_INTERVAL 1013
#define IDC_CLRBG 1018
#define IDC_SECOND_SCREEN 1019
#define IDC_ITEMS 1020
#define IDC_CLRFONT 1021
#define IDC_DISPBTM 1022
#define IDC_APPLY 1024
#define IDC_ABOUT_VERSION 1030
#define IDC_ADV_RESTOREPLACE 1040
#define IDC_ADV_RELOAD 1041
#define IDC_ADV_FIT 1042
#define IDC_ADV_SCROLL 1043
#define IDC_ADV_HOURS 1044
#define IDC_ADV_HOURS_NOTE 1045
#define IDC_ADV_BARSIZE 1050
#define IDC_ADV_CLOCK 1051
#define IDC_ADV_CLOCK_NOTE 1052
#define IDC_ADV_FADE 1053
#define IDC_ADV_LOG 1049

// The settings dialog's system-menu command that opens 高级设置.
#define IDM_ADVANCED 0x0110

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
