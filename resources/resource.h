// Resource and control numbers shared by the resource script and the code.
#pragma once

#define IDD_EDITOR 192
#define IDI_APP 122

#define IDC_STATIC -1
#define IDC_NETWORK_LIST 1000
#define IDC_DESCRIPTION 1070
#define IDC_BUTTON_SAVE 1085
#define IDC_PORT_LABEL 1086
#define IDC_BUTTON_CANCEL 1129
#define IDC_HOST1 1226
#define IDC_PORT1 1227
#define IDC_HOST2 1229
#define IDC_PORT2 1230
#define IDC_HOST3 1231
#define IDC_PORT3 1232
#define IDC_HOST4 1233
#define IDC_PORT4 1234
