# zarno_make_qrc(<out.qrc> <root> <glob> [PREFIX <folder>] [EXCLUDE <prefix>...] [EXTRA <alias> <file>...])
# Writes a .qrc listing every file under <root> that matches <glob>, with aliases
# relative to <root>, so that "qml/Main.qml" is served as ":/qml/Main.qml".
# PREFIX puts the files under a folder of the resources: <root>/Main.qml with
# PREFIX qml is served as ":/qml/Main.qml" whatever <root> is called.
# EXTRA adds files from elsewhere (such as a font from a system package) under an alias.
# The file is rewritten only when the list changes, so adding a document is the
# only thing that makes rcc run again from scratch.
function(zarno_make_qrc out root glob)
  cmake_parse_arguments(ARG "" "PREFIX" "EXCLUDE;EXTRA" ${ARGN})
  set(alias_prefix "")
  if(ARG_PREFIX)
    set(alias_prefix "${ARG_PREFIX}/")
  endif()
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${root} ${root}/${glob})
  list(SORT files)
  set(body "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n")
  foreach(f ${files})
    set(skip FALSE)
    foreach(ex ${ARG_EXCLUDE})
      string(FIND "${f}" "${ex}" pos)
      if(pos EQUAL 0)
        set(skip TRUE)
      endif()
    endforeach()
    if(NOT skip)
      string(APPEND body "  <file alias=\"${alias_prefix}${f}\">${root}/${f}</file>\n")
    endif()
  endforeach()
  list(LENGTH ARG_EXTRA extra_count)
  if(extra_count GREATER 0)
    math(EXPR last "${extra_count} - 1")
    foreach(i RANGE 0 ${last} 2)
      math(EXPR j "${i} + 1")
      list(GET ARG_EXTRA ${i} alias)
      list(GET ARG_EXTRA ${j} path)
      string(APPEND body "  <file alias=\"${alias}\">${path}</file>\n")
    endforeach()
  endif()
  string(APPEND body "</qresource>\n</RCC>\n")
  if(EXISTS ${out})
    file(READ ${out} old)
  else()
    set(old "")
  endif()
  if(NOT old STREQUAL body)
    file(WRITE ${out} "${body}")
  endif()
endfunction()

# zarno_compile_qrc(<out_var> <name> <in.qrc>)
# Sets <out_var> to the sources that serve <in.qrc> with its QML and JavaScript
# documents compiled ahead of time: the engine then takes each document's compiled
# form from the executable instead of parsing and compiling it at start-up (the
# first launch included, before any disk cache exists). The documents themselves
# stay in the resources, and Q_INIT_RESOURCE(<base name of in.qrc>) still registers
# them. <name> keeps the generated files of one bundle apart from another's. The
# target needs AUTORCC. Without qmlcachegen the bundle is served as it is.
function(zarno_compile_qrc out_var name qrc)
  if(NOT ZARNO_QMLCACHEGEN)
    set(_qt_bin "")
    if(TARGET Qt5::qmake)
      get_target_property(_qmake Qt5::qmake IMPORTED_LOCATION)
      get_filename_component(_qt_bin "${_qmake}" DIRECTORY)
    endif()
    find_program(ZARNO_QMLCACHEGEN qmlcachegen HINTS ${_qt_bin} PATHS /usr/lib/qt5/bin)
  endif()
  if(NOT ZARNO_QMLCACHEGEN)
    message(STATUS "qmlcachegen not found: ${qrc} is served without compiled documents")
    set(${out_var} ${qrc} PARENT_SCOPE)
    return()
  endif()
  get_filename_component(base "${qrc}" NAME_WE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name}_qmlcache)
  file(MAKE_DIRECTORY ${dir})
  # The bundle without what gets compiled; qmlcachegen keeps the documents in it.
  set(filtered ${dir}/${base}_qmlcache.qrc)
  execute_process(COMMAND ${ZARNO_QMLCACHEGEN} --filter-resource-file ${qrc} -o ${filtered} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "zarno_compile_qrc: cannot read ${qrc}")
  endif()
  file(STRINGS ${qrc} entries REGEX "<file[ >]")
  set(units)
  foreach(entry ${entries})
    string(REGEX REPLACE ".*>([^<]*)</file>.*" "\\1" file "${entry}")
    if(file MATCHES "\\.(qml|js|mjs)$")
      string(MAKE_C_IDENTIFIER "${file}" id)
      set(unit ${dir}/${id}.cpp)
      add_custom_command(OUTPUT ${unit} COMMAND ${ZARNO_QMLCACHEGEN} --resource=${qrc} ${file} -o ${unit}
                         DEPENDS ${file} ${qrc} VERBATIM)
      list(APPEND units ${unit})
    endif()
  endforeach()
  if(NOT units)
    set(${out_var} ${qrc} PARENT_SCOPE)
    return()
  endif()
  # qmlcachegen writes the loader, which hooks the units into the engine, only
  # for an output whose name ends in qmlcache_loader.cpp.
  set(loader ${dir}/${name}_qmlcache_loader.cpp)
  add_custom_command(OUTPUT ${loader}
                     COMMAND ${ZARNO_QMLCACHEGEN} --resource-file-mapping=${qrc}=${filtered} ${qrc} -o ${loader}
                     DEPENDS ${qrc} VERBATIM)
  set(${out_var} ${filtered} ${units} ${loader} PARENT_SCOPE)
endfunction()
