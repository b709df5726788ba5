# Facts about this machine that the scripts share. Sourced, not run.

# True when the kernel runs 32-bit x86 Linux programs. Wine runs 32-bit Windows programs
# only through its 32-bit loader, a 32-bit Linux program; some kernels refuse those ("Exec
# format error"). The probe is the smallest such program: it exits with status 0.
runs_32bit_programs() {
  local dir rc
  dir=$(mktemp -d "${TIPP_PROBE_DIR:-$(dirname "${BASH_SOURCE[0]}")/../..}/.probe32.XXXXXX")
  printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' > "$dir/probe"
  chmod +x "$dir/probe"
  rc=0
  "$dir/probe" 2>/dev/null || rc=$?
  rm -rf "$dir"
  return "$rc"
}

# The Wine loader for programs of an architecture (i686 or x86_64). Debian's `wine`
# wrapper always picks the 32-bit loader when it is installed; 64-bit programs need the
# 64-bit one, with WINELOADER naming it.
wine_loader() {
  case "$1" in
    i686) echo /usr/lib/wine/wine ;;
    x86_64) echo /usr/lib/wine/wine64 ;;
    *) echo "wine_loader: unknown architecture $1" >&2; return 2 ;;
  esac
}

# The architecture of a Windows program, from the machine field of its PE header.
pe_arch() {
  local offset machine
  offset=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
  machine=$(od -An -tx2 -j $((offset + 4)) -N 2 "$1" | tr -d ' ')
  case "$machine" in
    014c) echo i686 ;;
    8664) echo x86_64 ;;
    *) echo "pe_arch: $1 is no i386 or x86_64 program (machine $machine)" >&2; return 2 ;;
  esac
}

# The build that the demo, the pictures and the benchmark run: the 32-bit one (what ships)
# where this machine runs 32-bit programs, else the 64-bit one. Prints the architecture;
# says which on standard error.
run_arch() {
  if runs_32bit_programs; then
    echo "Using the 32-bit build, what ships." >&2
    echo i686
  else
    echo "Using the 64-bit build: this machine runs no 32-bit programs." >&2
    echo x86_64
  fi
}

# build_arch BUILD ARCH [-DOPTION=VALUE...] [TARGETS...]
# Configures the build of ARCH in BUILD/ARCH with the CMake options given, and builds the
# targets given, or everything.
build_arch() {
  local build=$1 arch=$2 options=(); shift 2
  while [ $# -gt 0 ] && [ "${1#-D}" != "$1" ]; do options+=("$1"); shift; done
  cmake -S . -B "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/$arch-w64-mingw32.cmake" -DCMAKE_BUILD_TYPE=Release \
        "${options[@]}" >/dev/null
  [ $# -eq 0 ] || set -- --target "$@"
  cmake --build "$build/$arch" -j"$(nproc)" "$@"
}
