# Installs the build tree into a scratch prefix, then configures, builds and runs a small
# project that finds the package as a user's project would.
set(KEL_INSTALL_TEST_SANITIZE_FLAGS "")
if(KEL_SANITIZE)
  # The installed libraries are instrumented, so the consumer must link the runtimes too.
  set(KEL_INSTALL_TEST_SANITIZE_FLAGS "-fsanitize=address,undefined -fno-omit-frame-pointer")
endif()
add_test(NAME install.consumer
  COMMAND ${CMAKE_COMMAND}
    -DBUILD_DIR=${PROJECT_BINARY_DIR}
    -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/install-test
    -DCONSUMER_SOURCE=${CMAKE_CURRENT_SOURCE_DIR}/consumer
    -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
    -DBINDIR=${CMAKE_INSTALL_BINDIR}
    "-DGENERATOR=${CMAKE_GENERATOR}"
    -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
    "-DCXX_FLAGS=${KEL_INSTALL_TEST_SANITIZE_FLAGS}"
    -DMESH=${PROJECT_SOURCE_DIR}/data/bunny.obj
    -P ${CMAKE_CURRENT_SOURCE_DIR}/consumer/RunInstallTest.cmake)
set_tests_properties(install.consumer PROPERTIES TIMEOUT 600)
