# The wave files installed with the program are synthesized at build time by our own generator
# (scripts/make_sounds.py, Python standard library only) into ${ZRV_SOUND_DIR}.
set(ZRV_PYTHON3 /usr/bin/python3 CACHE FILEPATH "python3 that runs the build-time generators")
set(ZRV_SOUND_DIR ${CMAKE_BINARY_DIR}/sounds)
set(ZRV_SOUND_STAMP ${ZRV_SOUND_DIR}/.generated)

add_custom_command(
  OUTPUT ${ZRV_SOUND_STAMP}
  COMMAND ${ZRV_PYTHON3} ${CMAKE_SOURCE_DIR}/scripts/make_sounds.py ${ZRV_SOUND_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${ZRV_SOUND_STAMP}
  DEPENDS ${CMAKE_SOURCE_DIR}/scripts/make_sounds.py
  COMMENT "Synthesizing the program's sounds"
  VERBATIM)
add_custom_target(zrv_sounds ALL DEPENDS ${ZRV_SOUND_STAMP})
