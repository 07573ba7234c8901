// Identifiers shared by the resource scripts and the C++ code.
#pragma once

// Menu, accelerator table and program icon share the product name.
#define TAVO_RESOURCE_NAME "TAVO"

// The version: the settings file's "Version", the About box and the file's version resource.
#define TAVO_VERSION_TEXT "0.27"
#define TAVO_VERSION_BINARY 0, 27, 0, 0

// Positions of the menu bar's menus (menus.rc), for code that finds a submenu.
#define MENU_POSITION_FILE       0
#define MENU_POSITION_EDIT       1
#define MENU_POSITION_COMMAND    2
#define MENU_POSITION_UTILITIES  3
#define MENU_POSITION_TOOLS      4
#define MENU_POSITION_WINDOWS    5
#define MENU_POSITION_HELP       6

// ---- Command ids: File ----
#define IDM_NEW_POPUP            6
#define IDM_NEW_APPLESOFT        7
#define IDM_NEW_INTEGER          8
#define IDM_NEW_TEXT             9
#define IDM_NEW_EDIT            10
#define IDM_OPEN                11
#define IDM_SAVE                12
#define IDM_SAVE_WINDOWS_AS     13
#define IDM_PRINT               14
#define IDM_EXIT                15
#define IDM_APPLE_DELETE        16
#define IDM_PAGE_SETUP          17
#define IDM_SAVE_APPLE_AS       18
#define IDM_PROPERTIES          19

// ---- Command ids: Edit ----
#define IDM_UNDO                20
#define IDM_CUT                 21
#define IDM_COPY                22
#define IDM_PASTE               23
#define IDM_CLEAR               24
#define IDM_SELECT_ALL          25
#define IDM_GOTO_LINE           26
#define IDM_FIND                27
#define IDM_FIND_NEXT           28
#define IDM_REPLACE             29
#define IDM_APPLE_RENAME        30
#define IDM_EDIT_COMMANDS       31
#define IDM_RUN_PROGRAM         32
#define IDM_INJECT_TEXT         34
#define IDM_APPLE_PREFIX        35
#define IDM_APPLE_LOCK          36
#define IDM_REMOVE_SPACES       37
#define IDM_NEW_DISK_IMAGE      38
#define IDM_APPLE_NEW_FOLDER    39

// ---- Command ids: Utilities, Tools, Windows, Help ----
#define IDM_LAUNCH              42
#define IDM_ADD_UTILITY         44
#define IDM_REMOVE_UTILITY      45
#define IDM_PREFERENCES         51
#define IDM_CHECK_PROGRAM       52
#define IDM_HELP_CONTENTS       60
#define IDM_ABOUT               61
#define IDM_CASCADE             80
#define IDM_TILE                81
#define IDM_ARRANGE             82
#define IDM_CLOSE_ALL           86
#define IDM_WORD_WRAP           90
#define IDM_LIST_PROGRAMS     6001

// ---- Command ids: the language tools (renumbering, jumps between lines) ----
#define IDM_RENUMBER                1710
#define IDM_GOTO_REFERENCED_LINE    1711
#define IDM_JUMP_BACK               1712
#define IDM_LINES_THAT_JUMP_HERE    1713
// ---- Command ids: the language tools at the caret ----
#define IDM_KEYWORD_HELP      1720
#define IDM_COMPLETE_WORD     1721
#define IDC_COMPLETION_LIST   4150   // the list in the completion popup

// ---- Toolbar formatting buttons and boxes ----
#define IDM_BOLD               701
#define IDM_ITALIC             702
#define IDM_UNDERLINE          703
#define IDM_TEXT_COLOR         704
#define IDM_ALIGN_LEFT         706
#define IDM_ALIGN_CENTER       707
#define IDM_ALIGN_RIGHT        708
#define IDC_FONT_NAME_BOX     3000
#define IDC_FONT_SIZE_BOX     4000

// ---- Command id ranges ----
#define IDM_UTILITY_FIRST     1000   // utility n is 999 + n
#define IDM_UTILITY_LAST      1199
#define IDM_KEYWORD_FIRST     1200   // Applesoft token table entry id - 1200
#define IDM_KEYWORD_LAST      1307
#define IDM_CONTROL_CHAR_FIRST 1400  // control character id - 1400
#define IDM_CONTROL_CHAR_LAST  1431
#define IDM_USER_COMMAND_FIRST 1501  // user command n is 1500 + n
#define IDM_USER_COMMAND_LAST  1698

// Window-list entries of the Windows menu; above every command id.
#define IDM_FIRST_MDI_CHILD  50000

// ---- Child window ids of the frame ----
#define IDC_TOOLBAR              3
#define IDC_MDI_CLIENT           5
#define IDC_STATUS_BAR         102
#define IDC_CLIPBOARD_CARRIER  103

// ---- Dialogs ----
#define IDC_ABOUT_PRODUCT      101
#define IDC_ABOUT_VERSION      102
#define IDC_EDITCMD_REMOVE     4001
#define IDC_EDITCMD_COMMAND    4002
#define IDC_EDITCMD_ACCELERATOR 4003
#define IDC_EDITCMD_SCRIPT     4004
#define IDC_EDITCMD_APPLY      4008

// ---- Preferences sheet: its three pages (preferences.rc) ----
#define IDC_PREFS_BACKGROUND_COLOR   201
#define IDC_PREFS_HILIGHT_GOTO_LINE  303
#define IDC_PREFS_MATCH_CASE_FIND    304
#define IDC_PREFS_WORD_WRAP          305
#define IDC_PREFS_STOP_DUPLICATES    306
#define IDC_PREFS_PRINT_BLACK        307
#define IDC_PREFS_QUIT_PROMPT        310
#define IDC_PREFS_DELETE_PROMPT      311
#define IDC_PREFS_RETAIN_RTF         312
#define IDC_PREFS_WRITE_IMAGES       313
#define IDC_PREFS_STANDARD_FONT      641
#define IDC_PREFS_APPLE_FONT         642
#define IDC_PREFS_OTHER_FONT         643
#define IDC_PREFS_CHOOSE_FONT        645
#define IDC_PREFS_FONT_COLOR         646
#define IDC_PREFS_SYNTAX_COLOR       660
#define IDC_PREFS_REM_COLOR          661
#define IDC_PREFS_QUOTE_COLOR        662
#define IDC_PREFS_TOKEN_COLOR        663
#define IDC_PREFS_SINGLE_COLOR       664

// ---- Check Program: its results window (check_program.rc) and its preference ----
#define IDC_CHECK_SUMMARY      5201
#define IDC_CHECK_LIST         5202
#define IDC_PREFS_CHECK_BEFORE_RUN 665

// ---- The language tools: the Renumber dialog and the list of lines (line_list.rc) ----
#define IDC_RENUMBER_FROM      4100
#define IDC_RENUMBER_TO        4101
#define IDC_RENUMBER_START     4102
#define IDC_RENUMBER_STEP      4103
#define IDC_LINE_LIST_SUMMARY  4110
#define IDC_LINE_LIST          4111

// ---- Dialogs of the editing aids: Go to line and the Text Color palette ----
#define IDC_GOTO_LINE_TEXT     301
#define IDC_GOTO_HIGHLIGHT     302
#define IDC_GOTO_LINE_COUNT    303
#define IDC_COLOR_AUTOMATIC    400
#define IDC_COLOR_FIRST        401   // the sixteen colour buttons, 401-416
#define IDC_COLOR_LAST         416
// ---- Dialogs: Add Utility ("ADDUTIL") and Remove Utility ("REMOVEUTIL") ----
#define IDC_UTILITY_BROWSE     110
#define IDC_UTILITY_PATH       111
#define IDC_UTILITY_NAME       112
#define IDC_UTILITY_LIST       113
#define IDC_UTILITY_AUTORUN    114
#define IDC_UTILITY_TOGGLE     115

// ---- Bitmaps ----
#define IDB_TOOLBAR            200   // strip of 16 x 15 images

// ---- Icons: Applesoft documents use a number; the file-type set is 8000 + index ----
#define IDI_APPLESOFT_DOC     8008
#define IDI_FILE_TYPE_FIRST   8000
#define IDI_FILE_TYPE_COUNT     19

// ---- Properties sheet (properties.rc): the fields of its two pages ----
#define IDC_PROP_TITLE         600
#define IDC_PROP_TYPE            1
#define IDC_PROP_AUX_TYPE        2
#define IDC_PROP_LOCATION        3
#define IDC_PROP_SIZE            4   // on both pages
#define IDC_PROP_STORAGE         5
#define IDC_PROP_CREATED         6   // on both pages
#define IDC_PROP_MODIFIED        7
#define IDC_PROP_READ           81
#define IDC_PROP_WRITE          82
#define IDC_PROP_INVISIBLE      83
#define IDC_PROP_BACKUP         84
#define IDC_PROP_RENAME         85
#define IDC_PROP_DESTROY        86
#define IDC_PROP_VOLUME        201
#define IDC_PROP_FREE          202
#define IDC_PROP_FILES         203
#define IDC_PROP_IMAGE         300
#define IDC_PROP_IMAGE_FOLDER  303
#define IDC_PROP_MEDIUM        304
#define IDC_PROP_SKEW          305
#define IDC_PROP_CONTAINER_FORMAT   320   // the image's container: 2MG, nibbles, WOZ ...
#define IDC_PROP_CONTAINER_CREATOR  321
#define IDC_PROP_WRITE_PROTECTED    322
#define IDC_PROP_COMMENT            323
#define IDC_PROP_OS           1095

// ---- Apple file browser: the open dialog's "A2Get" part ----
#define IDC_BROWSER_LIST       4052
#define IDC_BROWSER_UP         4054
#define IDC_BROWSER_OPEN_APPLE 4055

// ---- Save to Apple ][ disk image: the save-location dialog "A2SaveFile" ----
#define IDC_SAVE_IMAGE_NAME    4001
#define IDC_SAVE_LIST          4002
#define IDC_SAVE_IMAGE_LABEL   4003
#define IDC_SAVE_FILE_NAME     4007
#define IDC_SAVE_FILE_LABEL    4008
#define IDC_SAVE_PREFIX_LABEL  4009
#define IDC_SAVE_UP            4010
#define IDC_SAVE_PREFIX        4011

// ---- New Disk Image dialog (new_disk_image.rc) ----
#define IDC_NEWDISK_DOS33        7001
#define IDC_NEWDISK_PRODOS_140K  7002
#define IDC_NEWDISK_PRODOS_800K  7003
#define IDC_NEWDISK_PRODOS_32M   7004
#define IDC_NEWDISK_NAME         7005
