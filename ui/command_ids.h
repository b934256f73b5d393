#ifndef VELOKROM_UI_COMMAND_IDS_H
#define VELOKROM_UI_COMMAND_IDS_H
/* Command ids of the main window's menu and toolbar, and the names of the window's resources.
   Plain preprocessor definitions: the resource script and the C++ code read the same ones. */

#define IDM_AUTO_SETUP 40007
#define IDM_SELECT_BACKGROUND 40008
#define IDM_SELECT_FOREGROUND 40009
#define IDM_TUNE_COLORS 40010
#define IDM_VIEW_COMPOSITE 40011
#define IDM_VIEW_MATTE 40012
#define IDM_VIEW_FRONT 40013
#define IDM_VIEW_BACK 40014
#define IDM_UNDO 40015
#define IDM_REDO 40016
#define IDM_RESET 40017
#define IDM_LOAD_SETTINGS 40018
#define IDM_SAVE_SETTINGS 40019
#define IDM_ZOOM_MODE 40020
#define IDM_DEFAULT_SIZE 40021
#define IDM_CANCEL 40022
#define IDM_OK 40023
#define IDM_HELP 40024
#define IDM_ABOUT 40025
#define IDM_BLEND_DIRECT 40026
#define IDM_BLEND_DEFOCUSED 40027
#define IDM_BLEND_SOLID 40028
#define IDM_SELECT_COLOR 40029
#define IDM_MARK_SETTINGS 40030
#define IDM_RETURN_TO_MARK 40031
#define IDM_MATTE_TO_ALPHA 40032

#define IDM_FIRST IDM_AUTO_SETUP
#define IDM_LAST IDM_MATTE_TO_ALPHA
/* The last command with a toolbar button (and so a tooltip string). */
#define IDM_LAST_BUTTON IDM_HELP
/* A command's status-bar help line is the string with its id plus this. */
#define IDS_HELP_OFFSET 1000

/* Toolbar bitmaps: 16 x 15 images side by side, 4-bit colour. */
#define IDB_OPERATIONS 105
#define IDB_VIEWS 106
#define IDB_HELP 107
#define IDB_END_RUN 108
#define IDB_HISTORY 110
#define IDB_SETTINGS 111
#define IDB_ZOOM 112

#define MAIN_MENU_NAME "MAIN_MENU"
#define MAIN_ICON_NAME "VELOPLUG_ICON"
#define ZOOM_IN_CURSOR_NAME "ZOOM_IN_CURSOR"
#define ZOOM_OUT_CURSOR_NAME "ZOOM_OUT_CURSOR"
#define ZOOM_LIMIT_CURSOR_NAME "ZOOM_LIMIT_CURSOR"

#define MAIN_WINDOW_CLASS "velokromMain"
#define DISPLAY_WINDOW_CLASS "velokromDisplay"

#endif
