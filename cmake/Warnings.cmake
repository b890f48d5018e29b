# Every target of ours gets the same warning set; third-party headers come in as SYSTEM.
add_library(corvane_warnings INTERFACE)
target_compile_options(corvane_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(CORVANE_WARNINGS_AS_ERRORS)
  target_compile_options(corvane_warnings INTERFACE -Werror)
endif()
