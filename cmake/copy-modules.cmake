# Copies the shipped data into the build's modules/ tree. A file the program
# has changed since (a saved setting) is newer than its source and is kept;
# a source edited later replaces it.
foreach(part setting img i18n gun macro)
  file(MAKE_DIRECTORY ${DST}/${part})
  file(GLOB_RECURSE files RELATIVE ${SRC}/${part} ${SRC}/${part}/*)
  foreach(f ${files})
    set(from ${SRC}/${part}/${f})
    set(to ${DST}/${part}/${f})
    if(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
      get_filename_component(dir ${to} DIRECTORY)
      file(MAKE_DIRECTORY ${dir})
      file(COPY_FILE ${from} ${to})
    endif()
  endforeach()
endforeach()
