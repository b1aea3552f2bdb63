# cmake -DSOURCE=... -DDESTINATION=... -P copy-if-missing.cmake
# Stages a file only once, so that a user's edits in the staged copy survive
# a rebuild.
if(NOT EXISTS "${DESTINATION}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
