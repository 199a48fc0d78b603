# The flag package's pictures travel inside the binary: the program needs no files at
# run time. Flags the package lacks are drawn in code, so a missing package only costs looks.
set(KORVEX_FLAG_DIR /usr/share/flags/countries/16x11 CACHE PATH "Directory of 16x11 flag PNGs")

function(korvex_embed_flags target)
  # The package's own file list: which flags exist is the package's business.
  file(GLOB flag_files ${KORVEX_FLAG_DIR}/*.png)
  if(flag_files)
    qt_add_resources(${target} korvex_flags PREFIX /flags BASE ${KORVEX_FLAG_DIR}
      FILES ${flag_files})
  else()
    message(WARNING "No flag pictures in ${KORVEX_FLAG_DIR}: every flag will be drawn")
  endif()
endfunction()
