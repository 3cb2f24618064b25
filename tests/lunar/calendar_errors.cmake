# Bad dates and a reversed range: exit code 2 and a message on stderr, nothing on stdout.
foreach(args "2024-02-30" "2024-2-3" "2024-02-10;2024-02-09" "" "2024-01-01;2024-01-02;x"
             "20240101" "2024-00-10")
  execute_process(COMMAND ${CALENDAR} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "deskwatch-calendar: ")
    message(FATAL_ERROR "args '${args}': exit ${rc}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()
execute_process(COMMAND ${CALENDAR} 2024-02-10 RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "2024-02-10\t正月\t初一\t6\n")
  message(FATAL_ERROR "one date: exit ${rc}, '${out}'")
endif()
