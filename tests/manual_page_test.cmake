# Renders a manual page with groff and fails on any warning.
#   cmake -DPAGE=... -P manual_page_test.cmake
execute_process(COMMAND groff -man -ww -z ${PAGE} RESULT_VARIABLE status
                OUTPUT_VARIABLE output ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff on ${PAGE}: status ${status}\n${warnings}")
endif()
