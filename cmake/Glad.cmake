# The GL loader is generated at configure time from Debian's glad 2 generator.
# --reproducible keeps it from reaching for the network, which the build machines do not have.
set(GLAD_DIR ${CMAKE_BINARY_DIR}/glad)
if(NOT EXISTS ${GLAD_DIR}/src/gl.c)
  execute_process(
    COMMAND ${GALESKERRY_SYSTEM_PYTHON} -m glad --reproducible --quiet --api gl:core=3.3
            --out-path ${GLAD_DIR} c --loader
    RESULT_VARIABLE glad_result
    OUTPUT_VARIABLE glad_output ERROR_VARIABLE glad_output)
  if(NOT glad_result EQUAL 0)
    message(FATAL_ERROR "Generating the GL loader with glad failed:\n${glad_output}")
  endif()
endif()
add_library(glad STATIC ${GLAD_DIR}/src/gl.c)
target_include_directories(glad SYSTEM PUBLIC ${GLAD_DIR}/include)
target_link_libraries(glad PUBLIC ${CMAKE_DL_LIBS})
set_target_properties(glad PROPERTIES POSITION_INDEPENDENT_CODE ON)
