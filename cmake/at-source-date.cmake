# cmake -DROOT=<checkout> -P at-source-date.cmake -- COMMAND [ARG...]
# Runs COMMAND with SOURCE_DATE_EPOCH set, for tools that stamp their output
# with a time: the one given in the environment, else the time of the
# checkout's last commit, so that two builds of one commit are identical.
include("${CMAKE_CURRENT_LIST_DIR}/source-date-epoch.cmake")
stilvane_source_date_epoch("${ROOT}" epoch)
set(command)
set(after_separator FALSE)
foreach(i RANGE 1 ${CMAKE_ARGC})
    if(i EQUAL CMAKE_ARGC)
        break()
    endif()
    if(after_separator)
        list(APPEND command "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "--")
        set(after_separator TRUE)
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} ${command}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${command} failed: ${result}")
endif()
