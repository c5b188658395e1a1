#!/usr/bin/env bash
# Installs the Debian packages Plax needs, in sets chosen by the arguments:
#   runtime    what the built programs load: Qt's libraries and plugins, Graphviz's cgraph, the font
#   build      compiler, CMake, Qt's development files, GoogleTest, Benchmark, the libraries' headers
#   developer  everything a developer's commands need beyond that, in two parts of its own:
#     test     what the tests call: the metafile readers and their fonts, ImageMagick, the
#              freedesktop validators, Graphviz's tools, networkx and igraph, pdflatex with pgf/TikZ
#              and pdftotext, groff, lintian, and the
#              sanitizer runtimes of the compiler the sanitizer build uses (gcc's)
#     fuzz     clang and its runtimes, which only the fuzzers need (about 260 MB)
#     bench    Boost Graph, which only the peer benchmark links
#   and, with developer only: clang-format, Xvfb, xdotool and openbox for looking at the program,
#   debootstrap for trying the package on a clean Debian.
# No argument installs every set. `make run` asks for build and runtime, `make test` adds test,
# `make fuzz` adds fuzz, `make bench` adds bench. Safe to run again: it calls apt-get only when something is missing.
set -euo pipefail

runtime=(
  libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 qt6-qpa-plugins
  libcgraph6 fonts-liberation
)
build=(
  build-essential cmake make pkg-config gzip
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libgraphviz-dev
)
test=(
  libasan8 libubsan1
  libwmf-bin fonts-urw-base35 imagemagick libmagickcore-6.q16-6-extra
  desktop-file-utils appstream groff-base
  graphviz python3 python3-networkx python3-igraph
  nauty lintian
  texlive-latex-base texlive-pictures poppler-utils
)
fuzz=(clang libclang-rt-dev)
# the peer benchmark only (bench/peer_bench.cpp); the build and the tests do without it
bench=(libboost-graph-dev)
tools=(clang-format xvfb xauth xdotool openbox debootstrap)

if [ $# -eq 0 ]; then set -- runtime build developer; fi
packages=()
for set in "$@"; do
  case "$set" in
  runtime) packages+=("${runtime[@]}") ;;
  build) packages+=("${build[@]}") ;;
  test) packages+=("${test[@]}") ;;
  fuzz) packages+=("${fuzz[@]}") ;;
  bench) packages+=("${bench[@]}") ;;
  developer) packages+=("${test[@]}" "${fuzz[@]}" "${bench[@]}" "${tools[@]}") ;;
  *)
    echo "install-deps.sh: unknown set '$set' (runtime, build, developer, test, fuzz, bench)" >&2
    exit 2
    ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
