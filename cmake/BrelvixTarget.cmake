# The include root of each library and the flags every target of this project gets.

# Headers are included by their path from the project root ("window/form1.h"), but no library sees the whole
# root: each gets a root of its own that holds a link to its own folder alone, and sees the folders of the
# libraries it links through theirs. An include against the arrows (the engine reaching for the window, the
# window for a front end) then names a file the compiler cannot find, and the build fails.
# Usage: brelvix_include_root(TARGET FOLDER), FOLDER relative to the project root ("frontends/qt").
function(brelvix_include_root target folder)
    set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} RESULT failed SYMBOLIC)
    if(failed)
        # Windows without the right to make links: the build works, but no longer enforces the arrows.
        message(WARNING "No link for ${folder} (${failed}); ${target} sees the whole project")
        set(root ${PROJECT_SOURCE_DIR})
    endif()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# Flags every target of this project gets, set per target so that a parent project's flags stay its own.
function(brelvix_target_defaults target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    # The test lanes fail on a warning; users' builds, on compilers the project was never tried with, do not.
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF COMPILE_WARNING_AS_ERROR ${BRELVIX_STRICT})
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    elseif(MSVC)
        # The sources are UTF-8: the full-width captions and the tests' texts must reach the program as written.
        target_compile_options(${target} PRIVATE /W4 /utf-8 /permissive-)
    endif()
endfunction()
