# What `cmake --install` puts on the system and how CPack wraps it into a Debian package: the
# program, its desktop entry, its icon in the hicolor theme and its AppStream metainfo.

include(GNUInstallDirs)

set(CORVANE_APP_ID "com.quillmere.Corvane")
set(CORVANE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(corvane_data "${PROJECT_SOURCE_DIR}/data")
set(corvane_icon_svg "${corvane_data}/icons/${CORVANE_APP_ID}.svg")
set(corvane_hicolor "${CMAKE_INSTALL_DATADIR}/icons/hicolor")

# The bitmap sizes of the icon are drawn from its SVG at build time.
find_program(CORVANE_RSVG_CONVERT rsvg-convert REQUIRED)
set(corvane_icon_pngs)
foreach(size IN LISTS CORVANE_ICON_SIZES)
  set(png "${PROJECT_BINARY_DIR}/icons/${size}x${size}/${CORVANE_APP_ID}.png")
  add_custom_command(OUTPUT "${png}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/icons/${size}x${size}"
    COMMAND "${CORVANE_RSVG_CONVERT}" --width ${size} --height ${size} --output "${png}" "${corvane_icon_svg}"
    DEPENDS "${corvane_icon_svg}"
    COMMENT "Drawing the ${size} px icon"
    VERBATIM)
  list(APPEND corvane_icon_pngs "${png}")
  install(FILES "${png}" DESTINATION "${corvane_hicolor}/${size}x${size}/apps")
endforeach()
add_custom_target(corvane_icons ALL DEPENDS ${corvane_icon_pngs})

install(TARGETS corvane RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${corvane_data}/${CORVANE_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${corvane_icon_svg}" DESTINATION "${corvane_hicolor}/scalable/apps")
install(FILES "${corvane_data}/${CORVANE_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Quillmere")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tray utility that tells why the computer is slow")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvane maintainers <corvane@quillmere.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvane answers one question: why is the computer slow right now, and what
can safely be done about it? It samples memory and the free space of the home
disk and says in plain words what they mean. It lists the running applications
with their memory and idle time and offers to quit the large idle ones after the
user confirms, moves caches that rebuild themselves to the Trash, and tells when
an AI coding session is waiting or has finished. It lives in the tray and
speaks Simplified Chinese.")
# The shared libraries come from dpkg-shlibdeps. The fonts are read at run time: the icon font
# by its path, the CJK font by its family name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-material-design-icons-iconfont, fonts-wqy-microhei")
# Without git, worktrees of AI tools are judged unknown; without Qt's Wayland plugin the tray
# item needs XWayland; without a system monitor the program opens top in a terminal.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "git, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
  "gnome-system-monitor | plasma-systemmonitor | xfce4-taskmanager | mate-system-monitor | htop")
include(CPack)
