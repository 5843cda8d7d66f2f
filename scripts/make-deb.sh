#!/bin/sh
# Builds the Debian package: installs what is missing, makes a release build in build-pkg/,
# packs it with cpack, checks it with lintian (any error fails) and prints the package's path.
set -eu
cd "$(dirname "$0")/.."
# Packing needs dpkg-shlibdeps (dpkg-dev) and file; the check needs lintian.
scripts/install-deps.sh dpkg-dev file lintian

# Debian's hardening flags (stack protector, fortified functions, read-only relocations). Only the
# program files go into the package, so only they are built; the tests are left out.
DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_BUILD_MAINT_OPTIONS
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLABE_BUILD_TESTS=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-pkg --target quillabe divuvo app_data
rm -f build-pkg/quillabe_*.deb
(cd build-pkg && cpack -G DEB)

deb=$(ls build-pkg/quillabe_*.deb)
# Lintian prints its findings; errors fail the script, warnings are left to the reader.
lintian --fail-on error --info "$deb"
echo "$deb"
