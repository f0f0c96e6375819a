#!/bin/sh
# Installs the built library into a temporary prefix, then builds and runs a
# separate client project against it, once through the CMake package and
# once through pkg-config.
set -eu
build_dir=$1
source_dir=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" > /dev/null
cmake -S "$source_dir" -B "$prefix/client-build" -DCMAKE_PREFIX_PATH="$prefix" > /dev/null
cmake --build "$prefix/client-build" > /dev/null
LD_LIBRARY_PATH="$prefix/lib" "$prefix/client-build/client"

export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
c++ -std=c++17 "$source_dir/client.cpp" -o "$prefix/client-pc" $(pkg-config --cflags --libs kelctrls)
LD_LIBRARY_PATH="$prefix/lib" "$prefix/client-pc"
