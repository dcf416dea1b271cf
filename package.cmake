# The Debian package, built by scripts/package: the files of the install
# rules under /usr, with the dependencies that dpkg-shlibdeps finds from
# the libraries those files link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelquor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZELQUOR_DEBIAN_REVISION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Zelquor maintainers <maintainers@zelquor.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without a server the window works but nothing sounds. PipeWire is the
# audio server of Debian's desktops, so its JACK layer comes first: a first
# jackd2 would start a server of its own that takes the sound card. The
# launcher tells a user started from the menu why there is no sound with a
# desktop notification (notify-send).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pipewire-jack | jackd2, libnotify-bin")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "set the levels of 63 JACK audio channels from tokens on a board
Zelquor is a JACK client with 63 inputs and 63 outputs; each output is its
input multiplied by a gain. Its window shows an 8 by 8 board of pads. You
put tokens of eight types on the pads: a token sets the gain of its pad,
and the nearer it sits to the pad's centre, the louder its channel.
Tokens can be dragged one at a time, by type or all together, and muted
with buttons or keys. Every gain change is heard from the next audio
cycle, and every action is written as a line on standard output.
.
The program connects none of its ports: route them with a JACK patchbay
or with jack_connect.")
include(CPack)
