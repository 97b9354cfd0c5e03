// Resource identifiers of the dictionary editor.
#ifndef ZEVEDIT_RESOURCE_H
#define ZEVEDIT_RESOURCE_H

// Dialogs, menus, accelerators, icons
#define IDD_MAIN 101
#define IDR_MAINMENU 104
#define IDR_ACCELERATORS 106
#define IDI_ZEVEDIT 120
#define IDI_BOSS 122

// Main dialog: entry list and form
#define IDC_ENTRY_LIST 1001
#define IDC_INDEX 1002
#define IDC_SOURCE 1003
#define IDC_TARGET 1004
#define IDC_LEVEL1 1005  // level n is IDC_LEVEL1 + n - 1, up to 1012
#define IDC_LEVEL8 1012
#define IDC_TYPE1 1013  // type n is IDC_TYPE1 + n - 1, up to 1020
#define IDC_TYPE8 1020
#define IDC_INDEX_LABEL 1021
#define IDC_SOURCE_LABEL 1022
#define IDC_TARGET_LABEL 1023
#define IDC_LEVEL_GROUP 1024
#define IDC_AND 1025
#define IDC_OR 1026
#define IDC_TYPE_GROUP 1062

// Menu commands: File
#define IDM_NEW 40003
#define IDM_OPEN 40006
#define IDM_SAVE_AS 40007
#define IDM_SAVE 40008
#define IDM_EXPORT_TEXT 40018
#define IDM_EXIT 40009

// Menu commands: Edit
#define IDM_CLEAR_ALL_INPUT 40012
#define IDM_SELECT_ALL_TYPES 40010
#define IDM_CLEAR_ALL_TYPES 40011
#define IDM_SORT_BY_SOURCE 40031
#define IDM_SORT_BY_LENGTH 40027
#define IDM_SORT_BY_LEVEL 40028
#define IDM_REMOVE_DUPLICATES 40029
#define IDM_CREATE_ENTRY 40004
#define IDM_UPDATE_ENTRY 40019

// Menu commands: View
#define IDM_HEADER_INFO 40014
#define IDM_COPYRIGHT_VERSION 40013
#define IDM_ALWAYS_ON_TOP 40020
#define IDM_REDRAW_LIST 40030
#define IDM_BOSS_MODE 40021

// Menu commands: Help
#define IDM_HELP_TOPICS 40016
#define IDM_ABOUT 40017

#endif
