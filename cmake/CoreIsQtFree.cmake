# The core library must never see Qt. It gets no Qt include paths, so a Qt
# include already fails to compile; this check also names the offending file
# and line before anything is compiled.
function(morvind_check_core_is_qt_free target)
  set(script ${PROJECT_SOURCE_DIR}/cmake/check_core_is_qt_free.sh)
  add_custom_target(${target}_qt_free
    COMMAND ${script} ${PROJECT_SOURCE_DIR}/src
    COMMENT "Checking that the core has no Qt includes"
    VERBATIM)
  add_dependencies(${target} ${target}_qt_free)
endfunction()
