#ifndef VELOKROM_UI_START_DIALOG_IDS_H
#define VELOKROM_UI_START_DIALOG_IDS_H
/* Control ids of ENTRY_DLG, shared by the resource script and the dialog logic. */
#define IDC_USE_SAVED_BACKGROUND 1025
#define IDC_USE_GRAY_BACKGROUND 1021
#define IDC_SAVE_AS_BACKGROUND 1022
#define IDC_START_OK 1024
#define IDC_START_CANCEL 1023
/* The private message that makes INVISIBLE_DLG enter the main window from its own loop. */
#define WM_APP_START_MAIN_WINDOW 1224
#endif
