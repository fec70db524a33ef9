// Ids of the driver's self-test target window, shared by the target and its test.
#pragma once

#define TARGET_HELLO 10
#define TARGET_EDIT 11
#define TARGET_LIST 12
#define TARGET_COMBO 13
#define TARGET_ROWS 14
#define TARGET_TREE 15
#define TARGET_CHECK 16
#define TARGET_LOG 20
#define TARGET_SAVE 101
#define TARGET_EXIT 102
#define TARGET_ABOUT 201
#define TARGET_TRAY_EXIT 301
#define TARGET_TRAY_HELLO 302
#define TARGET_TRAY_MESSAGE (0x8000 + 5)
#define TARGET_TRAY_ID 7
