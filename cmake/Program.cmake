# The program: its code as a library (the tests link it too), its resources and ZEL32.EXE.

set(ZEL_SRC ${PROJECT_SOURCE_DIR}/src)
set(ZEL_GENERATED ${PROJECT_BINARY_DIR}/generated)

set(ZEL_IMAGES SYSMENUU SYSMENUD ICONU ICOND CHANGEU CHANGED NEXTU NEXTD BEFOREU BEFORED)
set(ZEL_IMAGE_FILES)
set(ZEL_ART_FILES ${ZEL_SRC}/resources/art/ZEL32_16.txt ${ZEL_SRC}/resources/art/ZEL32_32.txt)
foreach(image IN LISTS ZEL_IMAGES)
  list(APPEND ZEL_IMAGE_FILES ${ZEL_GENERATED}/${image}.bmp)
  list(APPEND ZEL_ART_FILES ${ZEL_SRC}/resources/art/${image}.txt)
endforeach()
add_custom_command(
  OUTPUT ${ZEL_IMAGE_FILES} ${ZEL_GENERATED}/ZEL32.ICO
  COMMAND ${Python3_EXECUTABLE} ${ZEL_SRC}/resources/gen_resources.py ${ZEL_SRC}/resources/art ${ZEL_GENERATED}
  DEPENDS ${ZEL_SRC}/resources/gen_resources.py ${ZEL_ART_FILES}
  COMMENT "Drawing the bitmaps and the icon")
add_custom_target(zel_images DEPENDS ${ZEL_IMAGE_FILES} ${ZEL_GENERATED}/ZEL32.ICO)

# The resource object, linked into ZEL32.EXE and into the test programs that
# create a bar in their own process.
add_library(zel_resources OBJECT ${ZEL_SRC}/resources/zel32.rc)
target_include_directories(zel_resources PRIVATE ${ZEL_GENERATED} ${ZEL_SRC}/resources)
set_source_files_properties(${ZEL_SRC}/resources/zel32.rc PROPERTIES OBJECT_DEPENDS
  "${ZEL_IMAGE_FILES};${ZEL_GENERATED}/ZEL32.ICO;${ZEL_SRC}/resources/zel32.manifest")
add_dependencies(zel_resources zel_images)

file(GLOB ZEL_CORE_SOURCES CONFIGURE_DEPENDS
  ${ZEL_SRC}/framework/*.cpp ${ZEL_SRC}/bar/*.cpp ${ZEL_SRC}/launch/*.cpp ${ZEL_SRC}/dialogs/*.cpp)
add_library(zelcore STATIC ${ZEL_CORE_SOURCES} ${ZEL_SRC}/app/LauncherApp.cpp)
target_include_directories(zelcore PUBLIC ${ZEL_SRC})
# Sources are UTF-8; the program's texts are code page 932 bytes.
target_compile_options(zelcore PUBLIC $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP932> PRIVATE ${ZEL_WARNINGS})
target_compile_definitions(zelcore PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501
                                          _WIN32_IE=0x0501)
target_link_libraries(zelcore PUBLIC comctl32 comdlg32 shell32 advapi32 gdi32 user32 kernel32 uuid)
target_link_options(zelcore PUBLIC -static)

add_executable(ZEL32 WIN32 ${ZEL_SRC}/app/main.cpp)
set_target_properties(ZEL32 PROPERTIES OUTPUT_NAME ZEL32 SUFFIX .EXE)
target_compile_options(ZEL32 PRIVATE ${ZEL_WARNINGS})
target_link_libraries(ZEL32 PRIVATE zelcore zel_resources)
# The help page that the help command opens, beside the program and named like it, and the
# picture of the bar that it shows.
add_custom_command(TARGET ZEL32 POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZEL_SRC}/resources/ZEL32.HTM $<TARGET_FILE_DIR:ZEL32>/ZEL32.HTM
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/docs/bar.png $<TARGET_FILE_DIR:ZEL32>/ZEL32BAR.PNG
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/docs/item_menu.png $<TARGET_FILE_DIR:ZEL32>/ZEL32MENU.PNG)
# The release program is stripped: its symbols and the runtime's debug sections are most of the file.
target_link_options(ZEL32 PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
# Built for size: the bar spends its life waiting for messages, and -Os costs it nothing measurable.
# Each function and datum in a section of its own, so that the linker drops what nothing calls.
target_compile_options(zelcore PRIVATE -Os -ffunction-sections -fdata-sections)
target_compile_options(ZEL32 PRIVATE -Os -ffunction-sections -fdata-sections)
target_link_options(ZEL32 PRIVATE -Wl,--gc-sections)
