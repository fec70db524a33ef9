/* Resource and command IDs of the reader; read by the resource compiler too. */
#pragma once

#define IDI_NUVELLA 101
#define IDR_MAINMENU 102
#define IDB_TREEPICTURES 104

#define IDS_TITLE 1
#define IDS_ABOUT_TEXT 2
#define IDS_ABOUT_CAPTION 3
#define IDS_NO_MARKER 4

#define IDM_EXIT 40001
#define IDM_ABOUT 40003
#define IDM_SPLIT_HORIZONTAL 40004
#define IDM_SPLIT_VERTICAL 40005
#define IDM_FONT 40006
#define IDM_SELECT_ALL 40008
#define IDM_COPY 40009
#define IDM_OPEN 40010

#define IDC_TREE 1
#define IDC_TEXT 2
