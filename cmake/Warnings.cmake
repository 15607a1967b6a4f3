# Warnings on for every target of ours.
function(quendra_warnings target)
    get_target_property(kind ${target} TYPE)
    if(kind STREQUAL "INTERFACE_LIBRARY")
        return()
    endif()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
