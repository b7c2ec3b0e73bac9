# Shared compile settings of every Corvane target and the per-platform source selection.

function(corvane_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic
    -finput-charset=UTF-8 -fexec-charset=UTF-8)
  # GCC 12's optimiser reports a false overlap inside libstdc++'s `"text" + std::string`
  # (GCC bug 105651); the warning says nothing about our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-Wno-restrict>)
  endif()
  if(CORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Adds sources that implement a platform seam on Linux. A macOS port adds a sibling function for
# its `macos/` files; headers never switch on the platform.
function(corvane_linux_sources target)
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    target_sources(${target} PRIVATE ${ARGN})
  endif()
endfunction()
