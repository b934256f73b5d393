#ifndef VELOKROM_UI_RESOURCE_IDS_H
#define VELOKROM_UI_RESOURCE_IDS_H
/* Resource ids and names of the plug-in library, shared by the resource script and the code
   that loads the resources. Control ids of ENTRY_DLG: ui/start_dialog_ids.h. Strings:
   platform/string_table.h. */

/* The plug-in property list a host reads before it ever calls the entry. */
#define PIPL_RESOURCE_ID 16000

#define ENTRY_DLG_NAME "ENTRY_DLG"
#define INVISIBLE_DLG_NAME "INVISIBLE_DLG"

#endif
