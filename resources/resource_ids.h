/* Resource and command ids, shared by the resource script and the C++ code. */
#ifndef ORVANTA_RESOURCE_IDS_H
#define ORVANTA_RESOURCE_IDS_H

#define IDR_MAINMENU 1
#define IDI_APPICON 1
/* Tile bitmaps are resources 1 to 13: tile index + 1. */
#define IDB_FIRST_TILE 1

#define IDM_EXIT 101
#define IDM_SOLVE 102
#define IDM_ABOUT 103
#define IDM_STOP 104
#define IDM_NONSTOP 107
#define IDM_GOSLOW 108
#define IDM_GUESS 112
/* Beyond orvanta.exe's menu: Show Chances, and the guessing rules, one id a rule from IDM_FIRST_RULE. */
#define IDM_CHANCES 114
#define IDM_FIRST_RULE 130

#define ID_STATUSBAR 123

#endif
