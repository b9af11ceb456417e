# The flags every target of this project gets, set per target so that a parent project's flags stay its own.
function(brelvix_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF
                                               COMPILE_WARNING_AS_ERROR ${BRELVIX_WARNINGS_AS_ERRORS})
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    elseif(MSVC)
        # The sources are UTF-8: the full-width captions and the tests' texts must reach the program as written.
        target_compile_options(${target} PRIVATE /W4 /utf-8 /permissive-)
    endif()
endfunction()
