# Warnings for the project's own targets: call zentor_warnings(target).
function(zentor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
