# Installs the build into a temporary prefix and runs the installed lvltext6 on the example
# lists: it must write the same patch script as the program in the build tree, and the manual
# pages must be in place.
#   cmake -DBUILD_DIR=... -DEXAMPLES=... -DBUILT_PROGRAM=... -P install_test.cmake
set(prefix ${BUILD_DIR}/install-test)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file bin/lvltext6 bin/lvltext5 share/man/man1/lvltext6.1 share/man/man1/lvltext5.1)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

foreach(where installed built)
  set(run ${prefix}/run-${where})
  file(MAKE_DIRECTORY ${run})
  file(COPY ${EXAMPLES}/6ENTER.TXT ${EXAMPLES}/6NAMES.TXT DESTINATION ${run})
  if(where STREQUAL installed)
    set(program ${prefix}/bin/lvltext6)
  else()
    set(program ${BUILT_PROGRAM})
  endif()
  execute_process(COMMAND ${program} WORKING_DIRECTORY ${run} RESULT_VARIABLE status
                  OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT status EQUAL 0 OR NOT output STREQUAL "" OR NOT error STREQUAL "")
    message(FATAL_ERROR "${where} lvltext6: status ${status}, output '${output}', error '${error}'")
  endif()
endforeach()
file(READ ${prefix}/run-installed/Q6PATCHFILE.TXT installed HEX)
file(READ ${prefix}/run-built/Q6PATCHFILE.TXT built HEX)
if(NOT installed STREQUAL built OR installed STREQUAL "")
  message(FATAL_ERROR "the installed program wrote a different patch script")
endif()
file(REMOVE_RECURSE ${prefix})
