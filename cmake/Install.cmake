# The installed layout: the program files in lib/quillabe/, the shipped data in share/quillabe/
# (the program seeds its per-user folder from there), a command in bin/, and the desktop
# integration files from packaging/.
set(QUILLABE_APP_ID org.quillabe.Quillabe)
set(QUILLABE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(QUILLABE_INSTALL_LIBDIR lib/quillabe)
set(QUILLABE_INSTALL_DATADIR share/quillabe)

# Folders 0755 whatever the umask of the one who installs, as a package wants them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS quillabe divuvo RUNTIME DESTINATION ${QUILLABE_INSTALL_LIBDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${QUILLABE_INSTALL_DATADIR})

install(FILES ${QUILLABE_PACKAGING_DIR}/${QUILLABE_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${QUILLABE_PACKAGING_DIR}/${QUILLABE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${QUILLABE_PACKAGING_DIR}/icons/ DESTINATION share/icons)
install(FILES ${QUILLABE_PACKAGING_DIR}/quillabe.bash-completion DESTINATION share/bash-completion/completions
        RENAME quillabe)
install(FILES ${QUILLABE_PACKAGING_DIR}/copyright DESTINATION share/doc/quillabe)

# bin/quillabe points into lib/quillabe relatively, so that the program finds its own folder
# through /proc/self/exe under any prefix or DESTDIR. The man page and the changelog are
# compressed without a name or a time stamp, so that the package is reproducible.
install(CODE [[
  set(_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${_root}/bin")
  file(CREATE_LINK ../lib/quillabe/quillabe "${_root}/bin/quillabe" SYMBOLIC)
  message(STATUS "Installing: ${_root}/bin/quillabe -> ../lib/quillabe/quillabe")
]])
function(quillabe_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  install(CODE "
    set(_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}\")
    file(MAKE_DIRECTORY \"\${_dir}\")
    execute_process(COMMAND gzip -n -9 -c \"${source}\" OUTPUT_FILE \"\${_dir}/${name}.gz\"
                    RESULT_VARIABLE _rc)
    if(NOT _rc EQUAL 0)
      message(FATAL_ERROR \"gzip of ${source} failed: \${_rc}\")
    endif()
    file(CHMOD \"\${_dir}/${name}.gz\" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    message(STATUS \"Installing: \${_dir}/${name}.gz\")
  ")
endfunction()
quillabe_install_gzipped(${QUILLABE_PACKAGING_DIR}/quillabe.1 share/man/man1)
quillabe_install_gzipped(${QUILLABE_PACKAGING_DIR}/changelog.Debian share/doc/quillabe)
include(${CMAKE_CURRENT_LIST_DIR}/Packaging.cmake)
