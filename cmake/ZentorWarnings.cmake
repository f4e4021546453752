# Warnings for the project's own targets: call zentor_warnings(target).
# GCC 12 gives none today; ZENTOR_WERROR (CI, `make test WERROR=ON`) keeps it so.
option(ZENTOR_WERROR "Turn the project's warnings into errors" OFF)

function(zentor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(ZENTOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
