# Runs one fuzz target over its seeds and RUNS further inputs from a fixed seed, in a
# fresh folder for the inputs it makes. Fails when the target finds a fault.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -max_len=4096 -timeout=10 -rss_limit_mb=2048
          -print_final_stats=1 ${WORK} ${SEEDS}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a fault (exit ${result}); the input is in ${WORK}")
endif()
