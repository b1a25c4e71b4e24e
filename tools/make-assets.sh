#!/bin/sh
# Regenerates the game's pictures and sounds in resources/ from tools/assetgen.
# The generator is deterministic: running this again gives the same files, so the
# results are committed and the game's own build never needs the generator.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ASSETGEN_BUILD:-/tmp/assetgen-build}

cmake -S "$root/tools/assetgen" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2
"$build/assetgen" "$root/resources"

cd "$root/resources"
ls -l Image1*.jpg Image2*.jpg Image3*.jpg emblem*.png puk.wav puk_bum.wav icons/tessarin.svg icons/*/tessarin.png
