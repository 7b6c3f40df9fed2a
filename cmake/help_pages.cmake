# The help's pages as a browser reads them: the HTML pages of docs/help with
# the version label from project() filled in, and what they show (the style
# sheet); not the help compiler's project, contents and index (.hhp, .hhc,
# .hhk). The compiled help is made from the same pages (compile_help.cmake).
#   cmake -DSOURCE=... -DPAGES=... -DVERSION_LABEL=... -P help_pages.cmake
function(orvane_help_pages source pages version_label)
  file(GLOB sources "${source}/*")
  foreach(page IN LISTS sources)
    get_filename_component(name "${page}" NAME)
    if(name MATCHES "\\.hh[cpk]$")
      continue()
    elseif(name MATCHES "\\.html$")
      set(ORVANE_VERSION_LABEL "${version_label}")
      configure_file("${page}" "${pages}/${name}" @ONLY)
    else()
      file(COPY "${page}" DESTINATION "${pages}")
    endif()
  endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  # A page taken out of docs/help goes from the pages too.
  file(REMOVE_RECURSE "${PAGES}")
  orvane_help_pages("${SOURCE}" "${PAGES}" "${VERSION_LABEL}")
endif()
