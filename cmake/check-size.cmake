# cmake -DFILE=... -DLIMIT=bytes -P check-size.cmake
# Fails the build when a shipped file has grown past its limit.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
    message(FATAL_ERROR "${FILE} is ${size} bytes, more than the ${LIMIT} allowed")
endif()
