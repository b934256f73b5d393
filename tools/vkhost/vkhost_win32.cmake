# The emulated host as a Windows program (vkhost.exe), and its Win32 pieces as a library that
# the Wine tests share: loading a plug-in library, the host window, image files, driving the
# filter's windows from a second thread.
add_library(vkhost_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/dialog_answers_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host_window_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_files_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pipl_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/plugin_library_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ui_driver_win32.cpp)
target_link_libraries(vkhost_win32 PUBLIC vkhost_core velokrom_win32 PRIVATE velokrom_options)

add_executable(vkhost ${CMAKE_CURRENT_LIST_DIR}/vkhost_main_win32.cpp)
target_link_libraries(vkhost PRIVATE vkhost_win32 velokrom_options)
