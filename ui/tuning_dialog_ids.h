#ifndef VELOKROM_UI_TUNING_DIALOG_IDS_H
#define VELOKROM_UI_TUNING_DIALOG_IDS_H
/* Control ids of the colour tuning dialog TUNE_DLG, shared by the resource script and the code. */

#define TUNE_DLG_NAME "TUNE_DLG"

#define IDC_TUNE_APPLY 1002
#define IDC_TUNE_CLOSE 2 /* IDCANCEL: Escape closes it too */
#define IDC_TUNE_DECOLOR_TEXT 1010
#define IDC_TUNE_CLIP_HIGH_TEXT 1011
#define IDC_TUNE_CLIP_LOW_TEXT 1012
#define IDC_TUNE_DECOLOR 1023
#define IDC_TUNE_CLIP_HIGH 1024
#define IDC_TUNE_CLIP_LOW 1025
#define IDC_TUNE_SWATCH 1026

#endif
