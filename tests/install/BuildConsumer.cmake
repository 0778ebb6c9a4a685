# Installs the development component of the build BUILD_DIR into WORK_DIR/prefix, configures and
# builds the program of CONSUMER_DIR against it (same generator, compiler, flags and build type
# as the build) and runs it on MODEL_FILE; its output must be EXPECTED.

# Runs a command, failing with its output when it fails.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run("Installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
    --component development)
run("Configuring the consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build
    -G ${GENERATOR} -D CMAKE_CXX_COMPILER=${CXX_COMPILER} -D CMAKE_CXX_FLAGS=${CXX_FLAGS}
    -D CMAKE_BUILD_TYPE=${BUILD_TYPE} -D CMAKE_PREFIX_PATH=${prefix})
run("Building the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)

execute_process(COMMAND ${WORK_DIR}/build/kiv_consumer ${MODEL_FILE} RESULT_VARIABLE result
                OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT output STREQUAL "${EXPECTED}\n")
  message(FATAL_ERROR "The consumer ended with ${result}, printing:\n${output}${errors}\n"
                      "instead of:\n${EXPECTED}")
endif()
