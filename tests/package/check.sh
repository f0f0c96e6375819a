#!/bin/sh
# Installs the library into a scratch root, then builds the client of the
# "Writing a client" guide against it, once through the CMake package and
# once through pkg-config, and runs both under Xvfb; a small program built
# the same way checks that the moved library still finds its catalogues.
#
#   check.sh install BUILD SOURCE   cmake --install of the build tree
#   check.sh deb BUILD SOURCE       the Debian packages made by cpack, checked
#                                   by lintian and unpacked with dpkg -x; the
#                                   packaged demo then runs once as well
set -eu
mode=$1
build_dir=$2
source_dir=$3
client_dir=$source_dir/docs/client
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# What the programs and their web engine keep for the user stays in the root.
export HOME="$root/home" XDG_DATA_HOME="$root/user" XDG_CACHE_HOME="$root/cache"

case $mode in
install)
    cmake --install "$build_dir" --prefix "$root/usr" > /dev/null
    data=$source_dir/data
    ;;
deb)
    cpack --config "$build_dir/CPackConfig.cmake" -B "$root/packages" > /dev/null
    for deb in "$root"/packages/*.deb; do
        dpkg -x "$deb" "$root"
    done
    # Errors fail the test; the warnings left are explained in the README.
    lintian --fail-on error --tag-display-limit 0 "$root"/packages/*.deb
    data=$root/usr/share/kelctrls-demo
    ;;
*)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac

libdir=$(dirname "$(find "$root/usr" -name 'libkelctrls.so' | head -n 1)")
# The client writes below its installation folder: give it a copy.
cp -r "$data" "$root/folder"
cp -r "$root/usr/share/kelctrls/." "$root/folder/"

cmake -S "$client_dir" -B "$root/cmake-client" -DCMAKE_PREFIX_PATH="$root/usr" > /dev/null
cmake --build "$root/cmake-client" > /dev/null
LD_LIBRARY_PATH=$libdir "$source_dir/tests/xrun" "$root/cmake-client/hellokel" "$root/folder" --once

mkdir "$root/pc-client"
cp "$client_dir/hello.html" "$root/pc-client/"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046 # the flags are words of their own
c++ -std=c++17 "$client_dir/hellokel.cpp" -o "$root/pc-client/hellokel" $(pkg-config --cflags --libs kelctrls)
LD_LIBRARY_PATH=$libdir "$source_dir/tests/xrun" "$root/pc-client/hellokel" "$root/folder" --once

# The library's catalogues lie in the prefix the files were put in, not in
# the one the build was configured for: the library finds them from its own
# folder.
# shellcheck disable=SC2046 # the flags are words of their own
c++ -std=c++17 "$source_dir/tests/package/catalogue.cpp" -o "$root/pc-client/catalogue" $(pkg-config --cflags --libs kelctrls)
LD_LIBRARY_PATH=$libdir "$source_dir/tests/xrun" "$root/pc-client/catalogue"

if [ "$mode" = deb ]; then
    # The packaged demo runs from its own files: each user gets a copy of
    # them, which the library writes to.
    LD_LIBRARY_PATH=$libdir "$source_dir/tests/xrun" "$root/usr/bin/kelctrls-demo" \
        --offline --screenshot "$root/shots" > /dev/null
    test -f "$root/user/kelctrls-demo/skins/default/default.xml"
    test -f "$root/user/kelctrls-demo/locale/Language.xml"
    test -f "$root/usr/share/locale/zh_CN/LC_MESSAGES/kelctrls-demo.mo"
    ls "$root"/shots/*.png > /dev/null
fi
