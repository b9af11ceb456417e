# Tests and benchmarks that a build leaves out for want of a package, and the one configure line that says so.
include_guard(GLOBAL)

# Records that WHAT is left out for want of WHY: brelvix_leave_out("the layout benchmark" "no Google Benchmark").
function(brelvix_leave_out what why)
    set_property(GLOBAL APPEND PROPERTY BRELVIX_LEFT_OUT "${what} (${why})")
endfunction()

# Says in one line what was left out, once everything is configured. Under BRELVIX_REQUIRE_TESTS, as the test
# lanes build, that line is a configure error instead, so that no lane passes for want of a test it never built.
function(brelvix_report_left_out)
    get_property(left_out GLOBAL PROPERTY BRELVIX_LEFT_OUT)
    if(NOT left_out)
        return()
    endif()
    list(POP_BACK left_out last)
    if(left_out)
        list(JOIN left_out ", " others)
        set(last "${others} and ${last}")
    endif()
    if(BRELVIX_REQUIRE_TESTS)
        message(FATAL_ERROR "brelvix: left out ${last}, which BRELVIX_REQUIRE_TESTS does not allow")
    endif()
    message(STATUS "brelvix: left out ${last}")
endfunction()
