# Run by ctest (cmake -P): install, build the consumer against the install, run it.
function(run_step description)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${description} failed (${status}):\n${output}")
  endif()
  set(step_output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run_step("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(expected
    ${LIBDIR}/cmake/KelPolyMeshOperatorsBase/KelPolyMeshOperatorsBaseConfig.cmake
    include/KelPolyMeshOperatorsBase/KelCldObjModel.h
    include/KelPlatform/KelCldPolygon.h)
  if(NOT EXISTS ${prefix}/${expected})
    message(FATAL_ERROR "not installed: ${expected}")
  endif()
endforeach()

run_step("consumer configure" ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE} -B ${WORK_DIR}/build -G ${GENERATOR}
  -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=Debug -DCMAKE_PREFIX_PATH=${prefix}
  "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}")
run_step("consumer build" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
# No LD_LIBRARY_PATH: the consumer finds the installed libraries through its build run path.
run_step("consumer run" ${WORK_DIR}/build/app ${MESH})
if(NOT step_output MATCHES "1839 vertices, 3674 triangles")
  message(FATAL_ERROR "unexpected consumer output: ${step_output}")
endif()

# The installed tool finds its libraries by itself (its run path), without LD_LIBRARY_PATH.
if(EXISTS ${prefix}/${BINDIR}/kelmesh)
  run_step("installed kelmesh" ${prefix}/${BINDIR}/kelmesh info ${MESH})
endif()
