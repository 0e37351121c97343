#!/usr/bin/env bash
# Builds the page into build/web/ (index.html, app.js, style.css and the
# engine as WebAssembly inside vyra-engine.js) with Debian's emscripten, and
# beside it in build/web-build/ the WebAssembly dump of the engine that
# tests/web/compare-engines.mjs checks against the native one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh emscripten
# Debian's emscripten finds its JavaScript parser among Debian's node modules,
# which another node on the PATH does not search.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# The header-only libraries from the system's headers, without the rest of
# /usr/include, which is glibc's and not for em++.
include=build/web-build/include
mkdir -p "$include"
for library in fmt fast_float nlohmann; do
    ln -sfn "/usr/include/$library" "$include/$library"
done
emcmake cmake -S . -B build/web-build -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel "-DCMAKE_CXX_FLAGS_MINSIZEREL=-Os -flto" \
    -DCMAKE_EXE_LINKER_FLAGS=-flto \
    -DVYRA_FMT_INCLUDE_DIR="$PWD/$include" -DVYRA_FAST_FLOAT_INCLUDE_DIR="$PWD/$include" \
    -DVYRA_JSON_INCLUDE_DIR="$PWD/$include" >/dev/null
cmake --build build/web-build -j2

mkdir -p build/web
cp web/index.html web/*.js web/style.css build/web-build/web/vyra-engine.js build/web/
echo "page and engine: $(du -cb build/web/* | tail -1 | cut -f1) bytes (vyra-engine.js $(stat -c %s build/web/vyra-engine.js))"
echo "open file://$PWD/build/web/index.html"
