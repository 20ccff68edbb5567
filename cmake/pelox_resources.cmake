# The project's version for every program (pelox_version.h, on all platforms), and for Windows the
# version resource and manifest that every shipped binary carries, all from project(VERSION).

set(PELOX_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/res/version.h.in ${PELOX_GENERATED}/pelox_version.h @ONLY)
add_library(pelox_version INTERFACE)
target_include_directories(pelox_version INTERFACE ${PELOX_GENERATED})

# The Windows versions the programs are written for, up to Windows 10 and 11 (one identifier).
set(PELOX_SUPPORTED_OS [=[  <compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">
    <application>
      <supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/><!-- Windows 7 -->
      <supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/><!-- Windows 8 -->
      <supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/><!-- Windows 8.1 -->
      <supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/><!-- Windows 10 and 11 -->
    </application>
  </compatibility>]=])

# pelox_windows_resources(<target> DESCRIPTION <text> [RC <own .rc>] [CONSOLE])
# Gives a Windows executable or DLL its version resource; CONSOLE adds the console programs'
# manifest (asInvoker, supported systems). A target with a window brings its own .rc (RC), which
# includes version_info.rc itself after defining the names this function would define.
function(pelox_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(R "CONSOLE" "DESCRIPTION;RC;MANIFEST" "" ${ARGN})
  get_target_property(kind ${target} TYPE)
  set(file_type VFT_APP)
  # The release zip holds the 64-bit programs under the 32-bit names with "64" added
  # (pelox-tag64.exe beside pelox-tag.exe); libraries keep their names (CR95HF.dll).
  set(shipped_name $<TARGET_FILE_BASE_NAME:${target}>)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(shipped_name ${shipped_name}64)
  endif()
  set(shipped_file ${shipped_name}$<TARGET_FILE_SUFFIX:${target}>)
  if(kind STREQUAL "SHARED_LIBRARY")
    set(file_type VFT_DLL)
    set(shipped_name $<TARGET_FILE_BASE_NAME:${target}>)
    set(shipped_file $<TARGET_FILE_NAME:${target}>)
  endif()
  set(depends ${PROJECT_SOURCE_DIR}/res/version_info.rc ${PELOX_GENERATED}/pelox_version.h)
  if(R_MANIFEST)
    configure_file(${PROJECT_SOURCE_DIR}/res/${R_MANIFEST}.in ${PELOX_GENERATED}/${R_MANIFEST} @ONLY)
    list(APPEND depends ${PELOX_GENERATED}/${R_MANIFEST})
  endif()
  if(R_RC)
    set(rc ${R_RC})
  else()
    set(rc ${PELOX_GENERATED}/${target}.rc)
    set(manifest_line "")
    if(R_CONSOLE)
      set(PELOX_MANIFEST_NAME ${target})
      configure_file(${PROJECT_SOURCE_DIR}/res/console.manifest.in ${PELOX_GENERATED}/${target}.manifest @ONLY)
      list(APPEND depends ${PELOX_GENERATED}/${target}.manifest)
      set(manifest_line "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${target}.manifest\"\n")
    endif()
    file(GENERATE OUTPUT ${rc} CONTENT
"// Made by cmake/pelox_resources.cmake for ${target}.
#include <windows.h>

#define PELOX_FILE_DESCRIPTION \"${R_DESCRIPTION}\"
#define PELOX_INTERNAL_NAME \"${shipped_name}\"
#define PELOX_ORIGINAL_FILENAME \"${shipped_file}\"
#define PELOX_FILE_TYPE ${file_type}
#include \"version_info.rc\"
${manifest_line}")
  endif()
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
  target_sources(${target} PRIVATE ${rc})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/res ${PELOX_GENERATED})
endfunction()
