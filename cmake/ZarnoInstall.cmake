# Installs the engine as a CMake package: find_package(Zarno) gives Zarno::zarno (the
# engine), Zarno::main (its standard main()), zarno_add_game() and the launcher.
option(ZARNO_INSTALL "Install the engine as a CMake package" ${ZARNO_TOP_LEVEL})
if(NOT ZARNO_INSTALL)
  return()
endif()

include(CMakePackageConfigHelpers)
set(ZARNO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Zarno)

set_target_properties(zarno_main PROPERTIES EXPORT_NAME main)
install(TARGETS zarno zarno_main EXPORT ZarnoTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS zarno-launcher RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Headers keep their subsystem folder, as sources include them ("app/zrapplication.h").
foreach(dir ${ZARNO_SOURCE_DIRS})
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${dir})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zarno/${dir}
            FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()
install(EXPORT ZarnoTargets NAMESPACE Zarno:: DESTINATION ${ZARNO_INSTALL_CMAKEDIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ZarnoConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ZarnoConfig.cmake INSTALL_DESTINATION ${ZARNO_INSTALL_CMAKEDIR}
  PATH_VARS CMAKE_INSTALL_BINDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ZarnoConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/ZarnoConfig.cmake ${PROJECT_BINARY_DIR}/ZarnoConfigVersion.cmake
  ${PROJECT_SOURCE_DIR}/cmake/ZarnoResources.cmake ${PROJECT_SOURCE_DIR}/cmake/ZarnoGame.cmake
  DESTINATION ${ZARNO_INSTALL_CMAKEDIR})
