#!/usr/bin/env bash
# Installs, with apt-get, what building and testing the launcher needs on Debian 12 and is not
# there yet. Safe to run again: when everything is installed it only checks, in a second or so.
#
#   compilers       g++, clang with its sanitizer and libFuzzer runtimes, the MinGW-w64
#                   cross compilers (posix thread model) for x86-64 and 32-bit x86
#   build           cmake, ninja, clang-format
#   Windows tests   wine and wine64, Xvfb and xauth (the tests' display)
#   Java            a JDK: the JNI headers, javac and jar for the test programs and the example;
#                   its desktop runtime, whose lib/libsplashscreen.so shows the splash screen
#   tests           GoogleTest sources (/usr/src/googletest, built by each preset); the X11
#                   headers (the splash cases read their display's screen)
#   screenshots     xwd and python3 (scripts/screenshots.sh turns the dumps into PNG)
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb xauth
  openjdk-17-jdk-headless openjdk-17-jre
  googletest libx11-dev
  x11-apps python3
)

# One query for all: the names that dpkg lists as installed, the others are missing.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "installed" { print $1 }' || true)
missing=()
for package in "${packages[@]}"; do
  if ! grep -qxF "$package" <<<"$installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q "${missing[@]}"
fi

# The cross build names its compilers explicitly (cmake/mingw-w64-x86_64.cmake); the posix
# thread model is the one whose C++ runtime has std::thread and std::mutex.
for tool in cmake ninja g++ clang++ clang-format x86_64-w64-mingw32-g++-posix \
  i686-w64-mingw32-gcc-posix wine wineserver Xvfb javac jar xwd python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "setup: $tool is still missing after the install" >&2
    exit 1
  fi
done
if [ ! -f /usr/src/googletest/CMakeLists.txt ]; then
  echo "setup: the GoogleTest sources are missing from /usr/src/googletest" >&2
  exit 1
fi
echo "setup: everything is in place"
