# The core library must stay free of Qt: fail the configure step, and the
# build (through the kiv_core_qt_free target), on any Qt include under src/core.
function(kiv_check_core_is_qt_free dir)
  set(DIR ${dir})
  include(${CMAKE_SOURCE_DIR}/cmake/CoreQtFreeScript.cmake)
  add_custom_target(kiv_core_qt_free ALL
    COMMAND ${CMAKE_COMMAND} -DDIR=${dir} -P ${CMAKE_SOURCE_DIR}/cmake/CoreQtFreeScript.cmake
    COMMENT "Checking that the core library includes no Qt header")
endfunction()
