# Warnings are errors for our own code. Third-party headers come in as system
# headers (GTest, Qt, benchmark), so they do not trip this.
set(CMAKE_COMPILE_WARNING_AS_ERROR ON)
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wold-style-cast -Wcast-align -Woverloaded-virtual
                    -Wimplicit-fallthrough)
