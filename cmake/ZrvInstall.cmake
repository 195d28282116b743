# `cmake --install build --prefix DIR` lays out a complete program directory in DIR.
# A user's tables and settings are never overwritten: the defaults are copied only when missing.
#
# A network installation (a shared program directory; each workstation keeps its own settings
# file, made from the template ZORVANE.USR) is laid out by installing the component "network"
# first, then everything else:
#   cmake --install build --prefix DIR --component network
#   cmake --install build --prefix DIR
# (`make install-network PREFIX=DIR` does both.) A directory holding ZORVANE.USR never gets a
# ZORVANE.INI, since that would switch every workstation back to the single-user settings file.
if(ZRV_BUILD_UI)
  # The modules lie beside the program: the windows (opened by a start without arguments), the
  # help (at the first request for help), iCalendar (for an import or export) and the trace reader
  # of the error report.
  install(TARGETS zorvane zorvane_gui zorvane_help zorvane_ical zorvane_trace RUNTIME DESTINATION .
          LIBRARY DESTINATION .)
endif()

# zrv_install_once(<source> <name> [UNLESS_PRESENT <other>] [COMPONENT <c>] [EXCLUDE_FROM_ALL])
# Installs <source> as DIR/<name> unless DIR already holds <name> in any case, or <other>.
function(zrv_install_once source name)
  cmake_parse_arguments(ARG "EXCLUDE_FROM_ALL" "UNLESS_PRESENT;COMPONENT" "" ${ARGN})
  set(options "")
  if(ARG_COMPONENT)
    list(APPEND options COMPONENT ${ARG_COMPONENT})
  endif()
  if(ARG_EXCLUDE_FROM_ALL)
    list(APPEND options EXCLUDE_FROM_ALL)
  endif()
  install(CODE "
    set(wanted_names \"${name}\")
    if(NOT \"${ARG_UNLESS_PRESENT}\" STREQUAL \"\")
      list(APPEND wanted_names \"${ARG_UNLESS_PRESENT}\")
    endif()
    list(TRANSFORM wanted_names TOUPPER)
    file(GLOB existing \"\${CMAKE_INSTALL_PREFIX}/*\")
    set(found \"\")
    foreach(f \${existing})
      get_filename_component(n \"\${f}\" NAME)
      string(TOUPPER \"\${n}\" upper)
      list(FIND wanted_names \"\${upper}\" index)
      if(NOT index EQUAL -1)
        set(found \"\${n}\")
      endif()
    endforeach()
    if(found)
      message(STATUS \"Kept: \${CMAKE_INSTALL_PREFIX}/\${found}\")
    else()
      file(INSTALL \"${source}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
    endif()
  " ${options})
endfunction()

zrv_install_once(${CMAKE_SOURCE_DIR}/data/ZORVANE.INI ZORVANE.INI UNLESS_PRESENT ZORVANE.USR)
zrv_install_once(${CMAKE_SOURCE_DIR}/data/ZORVANE.USR ZORVANE.USR COMPONENT network
                 EXCLUDE_FROM_ALL)
# The sound table, generated at build time (tools/); the user changes it in the sound settings.
zrv_install_once(${ZRV_SOUND_TABLE} ZRVPARAM.DBF)
# The user registry, generated empty at build time; the workstations fill it. Its index comes
# only with a new registry (the program rebuilds it anyway at its first use in a run).
zrv_install_once(${ZRV_USER_LIST_DIR}/USERLIST.NTX USERLIST.NTX UNLESS_PRESENT USERLIST.DBF)
zrv_install_once(${ZRV_USER_LIST_DIR}/USERLIST.DBF USERLIST.DBF)

# The program's own sounds are not user data: installing again replaces them.
install(DIRECTORY ${ZRV_SOUND_DIR}/ DESTINATION sounds
        FILES_MATCHING PATTERN "*.wav" PATTERN "*.WAV")

# The German help book (HTML pages, contents, index, pictures): not user data, replaced on every
# installation.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION help
        FILES_MATCHING PATTERN "*.html" PATTERN "*.hh?" PATTERN "*.png")

# Desktop integration: the icon in its sizes and a freedesktop entry pointing at this program
# directory. `make install-desktop` (scripts/install-desktop.sh) puts both into the user's
# application menu.
if(ZRV_BUILD_UI)
  install(DIRECTORY ${ZRV_ICON_DIR}/ DESTINATION icons FILES_MATCHING PATTERN "zorvane-*.png"
                                                                 PATTERN "about-*.png")
  install(CODE "
    set(ZRV_DIR \"\${CMAKE_INSTALL_PREFIX}\")
    set(ZRV_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/zorvane\")
    configure_file(\"${CMAKE_SOURCE_DIR}/data/zorvane.desktop.in\"
                   \"\${CMAKE_INSTALL_PREFIX}/zorvane.desktop\" @ONLY)
    message(STATUS \"Installing: \${CMAKE_INSTALL_PREFIX}/zorvane.desktop\")
  ")
endif()
