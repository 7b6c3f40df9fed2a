# Compiles docs/help into Orvane.chm. The help compilers write beside the
# project, so the sources are copied into a folder of the build first; the
# pages get the version label from project() on the way, as help_pages.cmake
# gives them to a browser.
#   cmake -DCOMPILER=... -DSOURCE=... -DWORK=... -DOUTPUT=... -DVERSION_LABEL=... -P compile_help.cmake
include("${CMAKE_CURRENT_LIST_DIR}/help_pages.cmake")
file(REMOVE_RECURSE "${WORK}")
orvane_help_pages("${SOURCE}" "${WORK}" "${VERSION_LABEL}")
# The project, the contents and the index, which only the compiler reads.
file(GLOB project_files "${SOURCE}/*.hh?")
file(COPY ${project_files} DESTINATION "${WORK}")
execute_process(COMMAND "${COMPILER}" Orvane.hhp WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
# Microsoft's compiler answers 1 when it succeeds, chmcmd 0: the file tells.
if(NOT EXISTS "${WORK}/Orvane.chm")
  message(FATAL_ERROR "The help compiler made no Orvane.chm (exit ${result}):\n${output}")
endif()
file(COPY_FILE "${WORK}/Orvane.chm" "${OUTPUT}")
