# Copies the shipped data into the build's data folder. conf.dat is copied only when
# absent: the game rewrites it at exit and a rebuild must not reset the player's settings.
file(MAKE_DIRECTORY ${DST}/shaders ${DST}/screenshots)
file(GLOB SHADERS ${SRC}/shaders/*)
foreach(shader ${SHADERS})
    get_filename_component(name ${shader} NAME)
    configure_file(${shader} ${DST}/shaders/${name} COPYONLY)
endforeach()
if(NOT EXISTS ${DST}/conf.dat)
    configure_file(${SRC}/conf.dat ${DST}/conf.dat COPYONLY)
endif()
