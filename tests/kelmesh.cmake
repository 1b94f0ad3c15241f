# Tests of the kelmesh tool and of the OBJ writer that lives beside it.

# The OBJ writer's and the progress display's tests need those pieces of the tool: linked
# from the tool's library when it is built, compiled in otherwise.
function(kel_test_tool_piece test piece)
  if(NOT TARGET ${test})
    return()
  endif()
  if(TARGET ${piece})
    target_link_libraries(${test} PRIVATE ${piece})
  else()
    target_sources(${test} PRIVATE ${PROJECT_SOURCE_DIR}/tools/kelmesh/${piece}.cpp)
    target_include_directories(${test} PRIVATE ${PROJECT_SOURCE_DIR}/tools/kelmesh)
  endif()
endfunction()
kel_test_tool_piece(KelObjWriterTest KelObjWriter)
kel_test_tool_piece(KelProgressDisplayTest KelProgressDisplay)

if(TARGET kelmesh)
  set(KELMESH_CLI_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/kelmesh_cli.sh)
  set(KELMESH_TEST_DIR ${CMAKE_CURRENT_BINARY_DIR}/kelmesh-tests)

  foreach(case info-plain info-json convert errors same-file usage demo validate cut smooth holes decimate)
    add_test(NAME kelmesh.${case}
      COMMAND bash ${KELMESH_CLI_SCRIPT} $<TARGET_FILE:kelmesh> ${KELMESH_TEST_DIR}/${case} ${case}
              ${PROJECT_SOURCE_DIR}/data/bunny.obj)
  endforeach()

  # The counts listed in the shared meshes' README: file, vertices, triangles, components,
  # boundary edges (free edges), non-manifold edges, Euler characteristic; then the area and,
  # for closed meshes, the volume, computed independently in double precision from the files.
  # Absent meshes are skipped.
  set(KELMESH_SHARED_COUNTS
    "bunny bunny.obj 1839 3674 1 0 0 2 218.689271 194.288372"
    "armadillo armadillo.obj 26002 52000 1 0 0 2 38164.9035 237850.317"
    "snowden snowden.obj 54559 109259 4 43 88 -4 225.985247 -"
    "elephant-with-holes elephant-with-holes.obj 2798 4463 1 1353 0 -110 1.0160237 -"
    "teapot teapot.obj 792 992 32 528 0 32 1288.83868 -"
    "spider spider/spider.obj 762 1368 19 96 0 30 33275.8521 -")
  foreach(entry ${KELMESH_SHARED_COUNTS})
    separate_arguments(fields UNIX_COMMAND "${entry}")
    list(POP_FRONT fields name file)
    add_test(NAME kelmesh.shared.${name}
      COMMAND bash ${KELMESH_CLI_SCRIPT} $<TARGET_FILE:kelmesh> ${KELMESH_TEST_DIR}/shared-${name} shared
              ${KEL_SHARED_DATA_DIR}/${file} ${fields})
    set_tests_properties(kelmesh.shared.${name} PROPERTIES SKIP_RETURN_CODE 77)
  endforeach()

  # The holes of the elephant: 106 closed loops over its 1353 free edges.
  add_test(NAME kelmesh.shared.holes
    COMMAND bash ${KELMESH_CLI_SCRIPT} $<TARGET_FILE:kelmesh> ${KELMESH_TEST_DIR}/shared-holes shared-holes
            ${KEL_SHARED_DATA_DIR}/elephant-with-holes.obj 106 1353)
  set_tests_properties(kelmesh.shared.holes PROPERTIES SKIP_RETURN_CODE 77)
endif()
