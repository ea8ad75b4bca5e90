# The one version number (project() in CMakeLists.txt) reaches the code as VARNET_VERSION and, on
# Windows, every shipped binary as a version resource.
add_library(varnet_version INTERFACE)
target_compile_definitions(varnet_version INTERFACE VARNET_VERSION="${PROJECT_VERSION}")

# varnet_version_resource(TARGET FILE DESCRIPTION APP|DLL): adds the resource to TARGET.
function(varnet_version_resource target file description kind)
    if(NOT WIN32)
        return()
    endif()
    set(VARNET_RC_NAME ${target})
    set(VARNET_RC_FILE ${file})
    set(VARNET_RC_DESCRIPTION ${description})
    set(VARNET_RC_FILETYPE VFT_${kind})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
