# Helpers that turn the folder layout into targets, so that adding a file needs no CMake edit.
#
# A subsystem folder src/<name>/ (with its subfolders) gives the static library zrv_<name> with
# every .cpp that is not a window file. Window files (all of src/ui/, and elsewhere files named
# *_window.cpp, *_dialog.cpp, *_ctrl.cpp or *_wx.cpp) go into the UI library instead; the generic
# controls of src/widgets/ are a wx library of their own below it (src/CMakeLists.txt).

set(ZRV_WARNINGS -Wall -Wextra -Wpedantic)

function(zrv_is_window_file path out)
  get_filename_component(name ${path} NAME)
  if(path MATCHES "/src/ui/" OR name MATCHES "_(window|dialog|ctrl|wx)\\.cpp$")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

# zrv_subsystem(<name> [DEPS targets...])
function(zrv_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  set(core "")
  foreach(s ${sources})
    zrv_is_window_file(${s} win)
    if(win)
      set_property(GLOBAL APPEND PROPERTY ZRV_WINDOW_SOURCES ${s})
    else()
      list(APPEND core ${s})
    endif()
  endforeach()
  if(NOT core)
    set(core ${CMAKE_SOURCE_DIR}/src/empty.cpp)
  endif()
  add_library(zrv_${name} STATIC ${core})
  target_include_directories(zrv_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(zrv_${name} PRIVATE ${ZRV_WARNINGS})
  target_link_libraries(zrv_${name} PUBLIC ${ARG_DEPS})
endfunction()

# zrv_tests(<folder> LIBS targets... [GUI])
# Every tests/<folder>/*_test.cpp goes into one GoogleTest program <folder>_tests.
function(zrv_tests folder)
  cmake_parse_arguments(ARG "GUI" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${folder}_tests ${sources})
  target_compile_options(${folder}_tests PRIVATE ${ZRV_WARNINGS})
  target_include_directories(${folder}_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(ARG_GUI)
    target_link_libraries(${folder}_tests PRIVATE ${ARG_LIBS} zrv_test_support zrv_gui_test_main
                          GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${folder}_tests PRIVATE ${ARG_LIBS} zrv_test_support
                          GTest::gtest_main GTest::gmock)
  endif()
  target_compile_definitions(${folder}_tests PRIVATE
    ZRV_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ZRV_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(lock "")
  if(ARG_GUI)
    # Window tests move the one mouse and type on the one keyboard of the display: one at a time.
    set(lock RESOURCE_LOCK zrv_display)
  endif()
  # The lock goes first: the list in ENVIRONMENT loses its inner semicolon on the way through
  # gtest_discover_tests (CMake 3.25), so only its first variable arrives; tests therefore also
  # get both directories as compile definitions.
  gtest_discover_tests(${folder}_tests DISCOVERY_MODE PRE_TEST
    PROPERTIES ${lock}
    ENVIRONMENT "ZRV_SOURCE_DIR=${CMAKE_SOURCE_DIR};ZRV_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
