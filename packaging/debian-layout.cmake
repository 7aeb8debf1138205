# Run by CPack between installing into its staging folder and making the
# Debian package: moves the program from /usr/bin to /usr/games and strips
# it the way Debian's own tools do.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/tallow"
                           "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/tallow")
message(STATUS "staging: ${CPACK_TEMPORARY_INSTALL_DIRECTORY} ${programs}")
foreach(program ${programs})
  get_filename_component(usr "${program}" DIRECTORY)
  get_filename_component(usr "${usr}" DIRECTORY)
  file(MAKE_DIRECTORY "${usr}/games")
  file(RENAME "${program}" "${usr}/games/tallow")
  file(GLOB left "${usr}/bin/*")
  if(NOT left)
    file(REMOVE_RECURSE "${usr}/bin")
  endif()
  execute_process(COMMAND strip --strip-unneeded --remove-section=.comment --remove-section=.note "${usr}/games/tallow"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(NOT programs)
  message(FATAL_ERROR "No usr/bin/tallow in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
