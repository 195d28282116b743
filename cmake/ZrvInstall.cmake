# `cmake --install build --prefix DIR` lays out a complete program directory in DIR.
# A user's tables and settings are never overwritten: the defaults are copied only when missing.
if(ZRV_BUILD_UI)
  install(TARGETS zorvane RUNTIME DESTINATION .)
endif()

# Files that belong to the user once installed: copied only when DIR does not hold them yet.
function(zrv_install_once source name)
  install(CODE "
    set(dest \"\${CMAKE_INSTALL_PREFIX}/${name}\")
    file(GLOB existing \"\${CMAKE_INSTALL_PREFIX}/*\")
    set(found FALSE)
    foreach(f \${existing})
      get_filename_component(n \"\${f}\" NAME)
      string(TOUPPER \"\${n}\" upper)
      string(TOUPPER \"${name}\" wanted)
      if(upper STREQUAL wanted)
        set(found TRUE)
      endif()
    endforeach()
    if(found)
      message(STATUS \"Kept: \${dest}\")
    else()
      file(INSTALL \"${source}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")
    endif()
  ")
endfunction()

zrv_install_once(${CMAKE_SOURCE_DIR}/data/ZORVANE.INI ZORVANE.INI)
# The sound table, generated at build time (tools/); the user changes it in the sound settings.
zrv_install_once(${ZRV_SOUND_TABLE} ZRVPARAM.DBF)

# The program's own sounds are not user data: installing again replaces them.
install(DIRECTORY ${ZRV_SOUND_DIR}/ DESTINATION sounds
        FILES_MATCHING PATTERN "*.wav" PATTERN "*.WAV")
