// Resource and command identifiers, shared by the resource script and the program.
#pragma once

#define IDI_STATWARDEN 2
#define IDS_PUD_FILTER 155

// Commands: menu items, accelerators, buttons and the command Autoscan posts.
#define IDM_OPEN 102
#define IDM_EXIT 105
#define IDM_SOUND 111
#define IDM_HELP 112
#define IDM_ABOUT 113
#define IDM_ALL_FIELDS 114
#define IDM_SHOW_MAP 115
#define IDM_CLEAR 125
#define IDC_SCAN 220
#define IDC_AUTOSCAN 230

// The Show map dialog's picture and its table of starts.
#define IDC_MAP_PICTURE 301
#define IDC_MAP_STARTS 302
