#ifndef VELOKROM_PLATFORM_STRING_TABLE_H
#define VELOKROM_PLATFORM_STRING_TABLE_H
/* Ids and texts of the filter's string table. Plain preprocessor definitions, so that the
   resource script can build its STRINGTABLE from them ("id, text") and the native services
   serve the very same texts (builtinString). */

#define IDS_ABOUT_TEXT 16052
#define IDS_ABOUT_TEXT_STR                                                                  \
    "Velokrom 1.0 - chroma-key compositing over a saved background.\n\n"                    \
    "Written by the Velokrom developers at Zelvarn Labs.\n"                                \
    "Keying engine, compositor and host interface are our own work."
#define IDS_CAPTION 16054
#define IDS_CAPTION_STR "Velokrom"

#define IDS_MSG_SIZE_MISMATCH 16071
#define IDS_MSG_SIZE_MISMATCH_STR "Background image dimensions do not match foreground image dimensions."
#define IDS_MSG_LOAD_FAILED 16072
#define IDS_MSG_LOAD_FAILED_STR "Unable to load background image.  Velokrom will use a neutral gray background."
#define IDS_MSG_HOST_TOO_OLD 16073
#define IDS_MSG_HOST_TOO_OLD_STR "This plug-in requires Adobe Photoshop 2.5.2 or later functionality"
#define IDS_MSG_RGB_ONLY 16074
#define IDS_MSG_RGB_ONLY_STR "Velokrom works with RGB images only."
#define IDS_MSG_SAVE_FAILED 16075
#define IDS_MSG_SAVE_FAILED_STR "Unable to save background image."
#define IDS_MSG_NO_MEMORY 16076
#define IDS_MSG_NO_MEMORY_STR "Unable to allocate sufficient memory."
#define IDS_MSG_FLOATING 16080
#define IDS_MSG_FLOATING_STR "Sorry, Velokrom does not work with floating selections."

#define IDS_ASK_OVERWRITE 16077
#define IDS_ASK_OVERWRITE_STR "A background image already exists.\n\nDo you want to overwrite it?"
#define IDS_BACKGROUND_SAVED 16078
#define IDS_BACKGROUND_SAVED_STR                                                              \
    "The current image has been saved for use as a\nbackground image for Velokrom chromakey " \
    "composites.\n\nYou may now select an image to use as foreground,\nand run the Velokrom " \
    "filter again to perform the composite.\n"

#ifdef __cplusplus
#include <cstdint>
namespace velokrom {
// The text with that id, or null: what the native services serve for loadString.
const char* builtinString(int32_t id);
} // namespace velokrom
#endif

#endif
