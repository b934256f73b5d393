#!/bin/sh
# Installs everything the build and the tests need on a fresh Debian 12 machine (as root).
set -eu
export DEBIAN_FRONTEND=noninteractive
dpkg --add-architecture i386          # wine32 comes from the i386 archive
apt-get update -q
apt-get install -y -q --no-install-recommends \
    ca-certificates cmake ninja-build make g++ python3 pkg-config \
    googletest libbenchmark-dev libopenimageio-dev openimageio-tools \
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
    wine wine32:i386 wine64 fonts-wine xvfb xauth \
    imagemagick python3-pefile icoutils ffmpeg time \
    clang-14 libclang-rt-14-dev \
    pandoc weasyprint poppler-utils fonts-dejavu-core
