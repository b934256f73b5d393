#include "string_table.h"

namespace velokrom {

const char* builtinString(int32_t id) {
    switch (id) {
    case IDS_ABOUT_TEXT: return IDS_ABOUT_TEXT_STR;
    case IDS_CAPTION: return IDS_CAPTION_STR;
    case IDS_MSG_SIZE_MISMATCH: return IDS_MSG_SIZE_MISMATCH_STR;
    case IDS_MSG_LOAD_FAILED: return IDS_MSG_LOAD_FAILED_STR;
    case IDS_MSG_HOST_TOO_OLD: return IDS_MSG_HOST_TOO_OLD_STR;
    case IDS_MSG_RGB_ONLY: return IDS_MSG_RGB_ONLY_STR;
    case IDS_MSG_SAVE_FAILED: return IDS_MSG_SAVE_FAILED_STR;
    case IDS_MSG_NO_MEMORY: return IDS_MSG_NO_MEMORY_STR;
    case IDS_MSG_FLOATING: return IDS_MSG_FLOATING_STR;
    case IDS_ASK_OVERWRITE: return IDS_ASK_OVERWRITE_STR;
    case IDS_BACKGROUND_SAVED: return IDS_BACKGROUND_SAVED_STR;
    default: return nullptr;
    }
}

} // namespace velokrom
