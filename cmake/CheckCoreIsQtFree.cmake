# The core library must stay free of Qt: fail the configure step, and the
# build (through the kiv_core_qt_free target), on any Qt include under src/core.
function(kiv_check_core_is_qt_free dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.hpp ${dir}/*.cpp)
  foreach(f IN LISTS files)
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt)")
    if(hits)
      message(FATAL_ERROR "Qt include in the core library: ${f}: ${hits}")
    endif()
  endforeach()
  add_custom_target(kiv_core_qt_free ALL
    COMMAND ${CMAKE_COMMAND} -DDIR=${dir} -P ${CMAKE_SOURCE_DIR}/cmake/CoreQtFreeScript.cmake
    COMMENT "Checking that the core library includes no Qt header")
endfunction()
