# The time stamped into reproducible artifacts: SOURCE_DATE_EPOCH when the
# environment sets it, else the time of the last commit of the checkout at
# ROOT, else 0 (a source tree without its history).
function(stilvane_source_date_epoch root out)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(${out} "$ENV{SOURCE_DATE_EPOCH}" PARENT_SCOPE)
        return()
    endif()
    execute_process(COMMAND git -C "${root}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE result ERROR_QUIET)
    if(NOT result EQUAL 0 OR NOT epoch MATCHES "^[0-9]+$")
        set(epoch 0)
    endif()
    set(${out} "${epoch}" PARENT_SCOPE)
endfunction()
