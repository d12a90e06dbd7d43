# Warnings are errors for our own code. Third-party headers come in as system
# headers (GTest, Qt, benchmark), so they do not trip this.
set(CMAKE_COMPILE_WARNING_AS_ERROR ON)
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wold-style-cast -Wcast-align -Woverloaded-virtual
                    -Wimplicit-fallthrough)

# GCC 12 at -O3 reports std::string assignments of short literals as
# overlapping memcpy (-Wrestrict, GCC bug 105329), and the strings of
# brace-initialised aggregate arrays as maybe-uninitialized (GCC bug 105562);
# both are false there and would fail every Release build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict -Wno-maybe-uninitialized)
endif()
