# SPDX-License-Identifier: GPL-3.0-or-later
# Read by ctest before it runs anything: one test for each function of a Qt Test program,
# named <program>.<function>, so the window's cases run side by side and a failure names
# its case. Set by the including file: pw_program, pw_exe, pw_env (a list), pw_timeout and
# pw_cmake (the program that sets the environment for the listing, and for it alone).
if(NOT EXISTS "${pw_exe}")
    add_test("${pw_program}_NOT_BUILT" "${pw_program}_NOT_BUILT")
    return()
endif()
execute_process(COMMAND "${pw_cmake}" -E env ${pw_env} "${pw_exe}" -functions
                OUTPUT_VARIABLE pw_listing ERROR_VARIABLE pw_errors RESULT_VARIABLE pw_rc)
string(REGEX MATCHALL "[A-Za-z_][A-Za-z_0-9]*\\(\\)" pw_functions "${pw_listing}")
if(NOT pw_rc EQUAL 0 OR NOT pw_functions)
    # A program that cannot list its functions fails as one test, with what it said.
    add_test("${pw_program}_LISTING" "${pw_exe}" -functions)
    return()
endif()
foreach(pw_function IN LISTS pw_functions)
    string(REPLACE "()" "" pw_function "${pw_function}")
    add_test("${pw_program}.${pw_function}" "${pw_exe}" "${pw_function}")
    set_tests_properties("${pw_program}.${pw_function}" PROPERTIES
        ENVIRONMENT "${pw_env}" TIMEOUT "${pw_timeout}")
endforeach()
