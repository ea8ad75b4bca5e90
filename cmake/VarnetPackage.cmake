# What `cmake --install` lays out and CPack zips: the product in bin/, lib/ and include/; the
# documentation in share/doc/varnet/; the driver simulators and a copy of the tool and the example
# in simulator/, apart from the product, so that a folder copied from bin/ into an application
# never carries a stand-in ControlLib.dll that would shadow the real driver's.
include(GNUInstallDirs)

if(WIN32)
    install(TARGETS Varnet RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
    install(TARGETS varnet_tool RUNTIME DESTINATION bin)
    install(TARGETS Varnet varnet_tool settings_app ControlLib IgfxCuiSim
            RUNTIME DESTINATION simulator LIBRARY DESTINATION simulator)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/config ${PROJECT_SOURCE_DIR}/examples/scenarios
            DESTINATION simulator/examples)
else()
    install(TARGETS varnet LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(TARGETS varnet_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/include/varnet/varnet.h DESTINATION include/varnet)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/varnet)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION share/doc/varnet FILES_MATCHING
        PATTERN "*.md" PATTERN "*.png")
install(FILES ${PROJECT_SOURCE_DIR}/examples/settings-app/settings_app.cpp
        DESTINATION share/doc/varnet/examples/settings-app)

set(CPACK_PACKAGE_NAME Varnet)
set(CPACK_PACKAGE_VENDOR Varnet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Display-colour control for notebooks with Intel graphics")
if(WIN32)
    set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
