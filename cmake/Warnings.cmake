# Warnings apply to our own targets only; generated and system code is left alone.
function(galeskerry_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wold-style-cast -Wcast-align -Wunused -Woverloaded-virtual)
endfunction()
