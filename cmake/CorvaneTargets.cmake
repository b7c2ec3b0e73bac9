# Shared compile settings and the per-platform source selection of every Corvane target.

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

# Adds the portable sources under `dir` and, on Linux, the sources of its `linux/` folders.
# A macOS port adds its `macos/` folders here; headers never switch on the platform.
function(corvane_add_sources target dir)
  file(GLOB_RECURSE portable CONFIGURE_DEPENDS "${dir}/*.cpp")
  list(FILTER portable EXCLUDE REGEX "/(linux|macos)/")
  target_sources(${target} PRIVATE ${portable})
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    file(GLOB_RECURSE platform CONFIGURE_DEPENDS "${dir}/*/linux/*.cpp" "${dir}/linux/*.cpp")
    target_sources(${target} PRIVATE ${platform})
  endif()
endfunction()
