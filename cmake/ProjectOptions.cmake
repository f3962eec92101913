# Compiler settings of every target: warnings, sanitizers for the native builds, static Windows programs.

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(WIN32)
  # ANSI Win32 API, no min/max macros; programs carry their runtime inside (no DLL beside the .exe).
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
elseif(PROJECT_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
else()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# The two programs start each other (and find the help file) beside themselves: both are built into one folder.
set(PROJECT_PROGRAM_DIR ${PROJECT_BINARY_DIR}/bin)

# Core libraries (no <windows.h>) register themselves here, so that fuzz targets can link them all.
function(project_add_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  set_property(GLOBAL APPEND PROPERTY PROJECT_CORE_LIBRARIES ${name})
endfunction()

# A Win32 library of the project (MinGW build only).
function(project_add_win_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Adds a folder of a subsystem once it holds sources (folders fill up as the subsystem is built).
function(project_add_source_folder folder)
  file(GLOB sources ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(sources AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/CMakeLists.txt)
    add_subdirectory(${folder})
  endif()
endfunction()
