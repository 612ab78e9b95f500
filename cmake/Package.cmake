# The release: the sample profile and the README for Windows users, made from their
# UTF-8 sources at every build, and `--target package`, which zips them with the program.

set(ZEL_RELEASE_VERSION 1.00)
set(ZEL_SAMPLE_DIR ${CMAKE_BINARY_DIR}/sample)
set(ZEL_SAMPLE_FILES)
foreach(name IN ITEMS ZEL32.INI README.TXT)
  add_custom_command(
    OUTPUT ${ZEL_SAMPLE_DIR}/${name}
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/release/windows_text.py
            ${PROJECT_SOURCE_DIR}/release/${name} ${ZEL_SAMPLE_DIR}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/release/windows_text.py ${PROJECT_SOURCE_DIR}/release/${name}
    COMMENT "Writing ${name} in code page 932 with CRLF line ends")
  list(APPEND ZEL_SAMPLE_FILES ${ZEL_SAMPLE_DIR}/${name})
endforeach()
# Part of every build: scripts/run.sh copies the sample profile into a new prefix.
add_custom_target(zel_sample ALL DEPENDS ${ZEL_SAMPLE_FILES})

install(TARGETS ZEL32 RUNTIME DESTINATION .)
install(FILES ${ZEL_SRC}/resources/ZEL32.HTM ${ZEL_SAMPLE_FILES} DESTINATION .)
# The help page's picture of the bar.
install(FILES ${PROJECT_SOURCE_DIR}/docs/bar.png DESTINATION . RENAME ZEL32BAR.PNG)
install(FILES ${PROJECT_SOURCE_DIR}/docs/item_menu.png DESTINATION . RENAME ZEL32MENU.PNG)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ZEL32)
set(CPACK_PACKAGE_VENDOR "ZEL32 developers")
set(CPACK_PACKAGE_VERSION ${ZEL_RELEASE_VERSION})
# The release is the 32-bit build; a zip of the 64-bit tree says so in its name.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_PACKAGE_FILE_NAME ZEL32-${ZEL_RELEASE_VERSION}-x64)
else()
  set(CPACK_PACKAGE_FILE_NAME ZEL32-${ZEL_RELEASE_VERSION})
endif()
# One folder, ZEL32-1.00, at the top of the zip: the folder the user copies.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
