# Copies the shipped data into the game folder. An existing config.ini is the
# player's progress and is never overwritten.
file(GLOB files "${DATA_DIR}/*.tex" "${DATA_DIR}/*.wav" "${DATA_DIR}/*.Map")
file(MAKE_DIRECTORY "${GAME_DIR}")
foreach(f IN LISTS files)
    file(COPY "${f}" DESTINATION "${GAME_DIR}")
endforeach()
if(NOT EXISTS "${GAME_DIR}/config.ini" AND EXISTS "${DATA_DIR}/config.ini")
    file(COPY "${DATA_DIR}/config.ini" DESTINATION "${GAME_DIR}")
endif()
