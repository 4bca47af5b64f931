# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack after the binaries are installed and stripped: also drops the compilers'
# .comment sections, as Debian's own packaging tools do.
find_program(PW_OBJCOPY objcopy)
file(GLOB_RECURSE pw_binaries LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(binary IN LISTS pw_binaries)
    if(PW_OBJCOPY)
        execute_process(COMMAND ${PW_OBJCOPY} --remove-section=.comment ${binary}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
