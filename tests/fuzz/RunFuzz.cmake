# Runs one fuzz target for a bounded time from a copy of its seed corpus, so the sources are
# never written; fails when libFuzzer reports a crash, a sanitizer finding or a time-out.
# Usage: cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=... -P RunFuzz.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/found)
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${WORK}/corpus)
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=5 -print_final_stats=1
          -artifact_prefix=${WORK}/found/ ${WORK}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(GLOB found ${WORK}/found/*)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the input that did it: ${found}")
endif()
