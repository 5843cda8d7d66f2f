# The Debian package (cpack -G DEB in a release build; scripts/make-deb.sh runs it and lintian).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillabe)
set(CPACK_PACKAGE_VENDOR "The Quillabe developers")
set(CPACK_PACKAGE_CONTACT "The Quillabe developers <developers@quillabe.example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch converter for video and audio files")
# CPack puts the summary first and indents these lines itself; an empty line becomes " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillabe converts many video and audio files in one batch. Queue the files,
pick an output folder and a target format with a profile (AVI, MP4, 3GP,
MPEG, MOV, WMV, RM, SWF, VOB, ASF, AAC, AC3, MP2, MP3, AMR or WAV) or a
preset for a portable player or phone, and start the batch. Every file is
encoded by ffmpeg while the window shows the progress of the file and of the
whole batch; failures are marked per file, no file is overwritten, and the
machine can power off when the batch is done.

The same conversions run without a window from the command line
(quillabe --convert).")

set(CPACK_DEBIAN_PACKAGE_NAME quillabe)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillabe.example.org/")
# dpkg-shlibdeps finds the linked libraries (Qt 6, libjpeg, the AMR encoders); what it cannot see
# is named here: the encoder program, the media library that is loaded with dlopen, and Qt's
# platform plugins, which Qt loads at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, libmediainfo0v5, qt6-qpa-plugins")
# xdg-open shows the help pages and output folders; Qt's own translations give its dialogs and
# standard buttons the chosen language (without them those stay English).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
