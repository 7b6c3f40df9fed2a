# Compiles docs/help into Orvane.chm. The help compilers write beside the
# project, so the sources are copied into a folder of the build first; the
# pages get the version label from project() on the way.
#   cmake -DCOMPILER=... -DSOURCE=... -DWORK=... -DOUTPUT=... -DVERSION_LABEL=... -P compile_help.cmake
file(REMOVE_RECURSE "${WORK}")
file(GLOB sources "${SOURCE}/*")
foreach(source IN LISTS sources)
  get_filename_component(name "${source}" NAME)
  if(name MATCHES "\\.html$")
    set(ORVANE_VERSION_LABEL "${VERSION_LABEL}")
    configure_file("${source}" "${WORK}/${name}" @ONLY)
  else()
    file(COPY "${source}" DESTINATION "${WORK}")
  endif()
endforeach()
execute_process(COMMAND "${COMPILER}" Orvane.hhp WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
# Microsoft's compiler answers 1 when it succeeds, chmcmd 0: the file tells.
if(NOT EXISTS "${WORK}/Orvane.chm")
  message(FATAL_ERROR "The help compiler made no Orvane.chm (exit ${result}):\n${output}")
endif()
file(COPY_FILE "${WORK}/Orvane.chm" "${OUTPUT}")
