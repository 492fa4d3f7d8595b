# zarno_add_game(<target> QML_DIR <dir> [ASSETS_DIR <dir>] [SOURCES <file>...])
# Makes an executable that runs the game whose documents (Main.qml, config.json and
# the rest) are in QML_DIR. They are bundled into the executable under qrc:/qml/, as
# the engine's start-up expects; the files of ASSETS_DIR go under qrc:/assets/, where
# the documents reach them as "../assets/...", density variants (+hd, +hd2) included.
# Without SOURCES the engine's own main() runs the game; with them, one of the
# sources provides main().
include(${CMAKE_CURRENT_LIST_DIR}/ZarnoResources.cmake)

function(zarno_add_game target)
  cmake_parse_arguments(ARG "" "QML_DIR;ASSETS_DIR" "SOURCES" ${ARGN})
  if(NOT ARG_QML_DIR)
    message(FATAL_ERROR "zarno_add_game(${target}): QML_DIR, the folder holding Main.qml, is required")
  endif()
  get_filename_component(qml_dir "${ARG_QML_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  if(NOT EXISTS "${qml_dir}/Main.qml")
    message(FATAL_ERROR "zarno_add_game(${target}): no Main.qml in QML_DIR (tried ${qml_dir}/Main.qml)")
  endif()
  # A Zarno/ folder among the documents is the engine's own module, already in the engine.
  zarno_make_qrc(${CMAKE_CURRENT_BINARY_DIR}/${target}_qml.qrc ${qml_dir} "*" PREFIX qml EXCLUDE "Zarno/")
  zarno_compile_qrc(qrc_files ${target}_qml ${CMAKE_CURRENT_BINARY_DIR}/${target}_qml.qrc)
  if(ARG_ASSETS_DIR)
    get_filename_component(assets_dir "${ARG_ASSETS_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    if(NOT IS_DIRECTORY "${assets_dir}")
      message(FATAL_ERROR "zarno_add_game(${target}): ASSETS_DIR is not a folder (tried ${assets_dir})")
    endif()
    zarno_make_qrc(${CMAKE_CURRENT_BINARY_DIR}/${target}_assets.qrc ${assets_dir} "*" PREFIX assets)
    list(APPEND qrc_files ${CMAKE_CURRENT_BINARY_DIR}/${target}_assets.qrc)
  endif()

  add_executable(${target} ${ARG_SOURCES} ${qrc_files})
  set_target_properties(${target} PROPERTIES AUTORCC ON)
  if(ARG_SOURCES)
    target_link_libraries(${target} PRIVATE Zarno::zarno)
  else()
    target_link_libraries(${target} PRIVATE Zarno::main)
  endif()
endfunction()
