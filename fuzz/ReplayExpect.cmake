# Runs a replay program on one input folder and checks how it ends:
#   cmake -DPROGRAM=<file> -DINPUT=<folder> -DFAILS=<ON|OFF> -DOUTPUT=<regex>
#         -P ReplayExpect.cmake
# FAILS: whether the program must end with a failure (an exit code other than
# 0 or a signal); OUTPUT: what its stdout and stderr together must match.

execute_process(COMMAND ${PROGRAM} ${INPUT} RESULT_VARIABLE result
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(FAILS AND result EQUAL 0)
    message(FATAL_ERROR "the replay passed; it should have failed")
elseif(NOT FAILS AND NOT result EQUAL 0)
    message(FATAL_ERROR "the replay failed (${result}); it should have passed")
endif()
if(NOT output MATCHES "${OUTPUT}")
    message(FATAL_ERROR "the replay's output does not match: ${OUTPUT}")
endif()
