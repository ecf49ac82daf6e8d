# What `cmake --install` (and `make install`) puts under the prefix:
#   bin/                      quillet, quillet-cli
#   lib/quillet/              the four shared libraries, apart because their short names are generic
#   include/quillet/          their public headers, with their paths from the repository root
#   lib/cmake/Quillet/        the CMake package: find_package(Quillet) gives Quillet::Core, ...
#   lib/pkgconfig/            quillet-core.pc, quillet-lumsel.pc, quillet-tessel.pc, quillet-pindle.pc
# Everything goes to the default component, so install() rules added elsewhere land in the Debian
# package too.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUILLET_LIBRARIES Core Lumsel Tessel Pindle)
set(QUILLET_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/quillet)
set(QUILLET_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/quillet)
set(QUILLET_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quillet)
set(QUILLET_INSTALL_PKGCONFIGDIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# Installed files find their libraries relative to themselves, wherever the prefix is; the build
# tree keeps its own run paths, so tests run the freshly built libraries.
file(RELATIVE_PATH programs_to_libraries /${CMAKE_INSTALL_BINDIR} /${QUILLET_INSTALL_LIBDIR})
set_target_properties(quillet quillet-cli PROPERTIES
                      INSTALL_RPATH "$ORIGIN/${programs_to_libraries}")
set_target_properties(${QUILLET_LIBRARIES} PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS quillet quillet-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ${QUILLET_LIBRARIES}
  EXPORT QuilletTargets
  LIBRARY DESTINATION ${QUILLET_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${QUILLET_INSTALL_INCLUDEDIR}
  INCLUDES DESTINATION ${QUILLET_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillet
        RENAME copyright)

# The CMake package. FreeImage has no CMake package of its own, so its find module travels with
# ours.
install(EXPORT QuilletTargets NAMESPACE Quillet:: DESTINATION ${QUILLET_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuilletConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuilletConfig.cmake INSTALL_DESTINATION ${QUILLET_INSTALL_CMAKEDIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuilletConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuilletConfig.cmake
              ${PROJECT_BINARY_DIR}/QuilletConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/FindFreeImage.cmake
        DESTINATION ${QUILLET_INSTALL_CMAKEDIR})

# One pkg-config file per library. Their paths are relative to the file itself (${pcfiledir}), so
# the same files serve any prefix, a DESTDIR staging folder and the Debian package alike.
file(RELATIVE_PATH pkgconfig_to_prefix /${QUILLET_INSTALL_PKGCONFIGDIR} /)
string(REGEX REPLACE "/$" "" pkgconfig_to_prefix ${pkgconfig_to_prefix})
function(quillet_pkgconfig library description requires libs)
  string(TOLOWER "quillet-${library}" pc_name)
  set(pc_library ${library})
  set(pc_description ${description})
  set(pc_requires ${requires})
  set(pc_libs ${libs})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/quillet.pc.in
                 ${PROJECT_BINARY_DIR}/pkgconfig/${pc_name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/${pc_name}.pc
          DESTINATION ${QUILLET_INSTALL_PKGCONFIGDIR})
endfunction()
# FreeImage has no pkg-config file either: Core names it among its own libraries.
quillet_pkgconfig(Core "Quillet's model of 2D sprite animations and its file formats" "" "-lfreeimage")
quillet_pkgconfig(Lumsel "Quillet's raster canvas driver, drawing through Qt" "quillet-core Qt6Gui" "")
quillet_pkgconfig(Tessel "Quillet's accelerated canvas driver, drawing through OpenGL"
                  "quillet-core epoxy" "")
quillet_pkgconfig(Pindle "Quillet's editor widgets: property grid, dialogs, settings"
                  "quillet-core Qt6Widgets" "")
