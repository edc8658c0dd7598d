#!/usr/bin/env bash
# Makes the Debian package from the built tree with CPack, unpacks it into a
# scratch root and uses it there as an installed system would: the file list,
# the control fields, the libraries' sonames, links and exports, the
# pkg-config and CMake package files, the unpacked `vesk --version`, the
# README's C example built against the unpacked library, and lintian.
#
# Usage: check_package.sh BUILD SOURCE LIBDIR VERSION GUI(ON|OFF) CC [CFLAG...]
# (the C flags are those the libraries were built with, e.g. sanitizers).
set -euo pipefail

build=$1 source=$2 libdir=$3 version=$4 gui=$5 cc=$6
shift 6
cflags=("$@")
# A sanitized library is C++ inside: its checks of dynamic types need the C++
# part of the sanitizer runtime and the C++ library, which a C program's link
# does not bring by itself.
link_extra=()
if [[ " ${cflags[*]} " == *" -fsanitize="* ]]; then
    link_extra=(-fsanitize-link-c++-runtime -lstdc++)
fi

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { # check DESCRIPTION COMMAND...
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else fail "$what"; fi
}
matches() { grep -Eq -- "$2" <<< "$1"; }          # matches TEXT REGEX
lacks() { ! grep -Eq -- "$2" <<< "$1"; }          # lacks TEXT REGEX

for tool in cpack dpkg-deb dpkg-shlibdeps file pkg-config readelf nm lintian; do
    if ! command -v "$tool" > /dev/null; then
        echo "FAIL: $tool is missing (bash scripts/deps.sh package installs it)" >&2
        exit 1
    fi
done

scratch=$build/package-test
rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"
root=$scratch/root

# --- the package -------------------------------------------------------
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" > "$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    echo "FAIL: cpack -G DEB" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$scratch/out/quelvo-tools_${version}_${arch}.deb
if [[ ! -f $deb ]]; then
    echo "FAIL: no $deb; cpack made: $(ls "$scratch/out")" >&2
    exit 1
fi
echo "ok: $(basename "$deb") ($(stat -c %s "$deb") bytes)"
dpkg-deb -x "$deb" "$root"

field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
echo "Depends: $depends"
check "Package is quelvo-tools" test "$(field Package)" = quelvo-tools
check "Version is $version" test "$(field Version)" = "$version"
check "Architecture is $arch" test "$(field Architecture)" = "$arch"
check "Section is science" test "$(field Section)" = science
check "a description with a summary and a long text" test "$(field Description | wc -l)" -gt 3
# dpkg-shlibdeps names the system's libraries, never the package itself.
depended=$(sed -e 's/ *([^)]*)//g' -e 's/ *, */\n/g' <<< "$depends")
wanted=(libc6 libstdc++6)
[[ $gui == ON ]] && wanted+=(libqt6widgets6 libqcustomplot2.1-qt6)
for package in "${wanted[@]}"; do
    check "Depends names $package" grep -qxF "$package" <<< "$depended"
done
check "Depends does not name quelvo-tools" lacks "$depends" quelvo-tools

# Every entry under /usr, owned by root.
listing=$(dpkg-deb -c "$deb")
paths=$(awk '{print $6}' <<< "$listing")
owners=$(awk '{print $2}' <<< "$listing" | sort -u)
check "every file lies under /usr" test -z "$(grep -Ev '^\./(usr/.*)?$' <<< "$paths")"
check "every file belongs to root/root ($owners)" test "$owners" = root/root
triggers=$(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./triggers 2> /dev/null || true)
check "the ldconfig trigger" test "$triggers" = "activate-noawait ldconfig"

lib=usr/$libdir
expected=(
    usr/bin/vesk
    "$lib/libvesk_pro.so.1.0.0" "$lib/libMeshInterp.so.1.0.0"
    usr/include/vesk_pro.h usr/include/MeshInterp.h
    "$lib/pkgconfig/vesk_pro.pc" "$lib/pkgconfig/MeshInterp.pc"
    "$lib/cmake/QuelvoTools/QuelvoToolsConfig.cmake"
    "$lib/cmake/QuelvoTools/QuelvoToolsConfigVersion.cmake"
    "$lib/cmake/QuelvoTools/QuelvoToolsTargets.cmake"
    usr/share/man/man1/vesk.1.gz usr/share/man/man1/vesk-export.1.gz
    usr/share/bash-completion/completions/vesk
    usr/share/doc/quelvo-tools/copyright usr/share/doc/quelvo-tools/changelog.gz
)
if [[ $gui == ON ]]; then
    expected+=(
        usr/bin/VeskTools usr/bin/vesk-plot
        usr/share/man/man1/VeskTools.1.gz usr/share/man/man1/vesk-plot.1.gz
        usr/share/applications/quelvo-tools.desktop
        usr/share/icons/hicolor/scalable/apps/quelvo-tools.svg
    )
fi
for file in "${expected[@]}"; do
    check "$file" test -f "$root/$file"
done
check "no uncompressed man page" lacks "$(ls "$root/usr/share/man/man1")" '\.1$'
check "the copyright names GPL-3.0-or-later" grep -q "GPL-3.0-or-later" "$root/usr/share/doc/quelvo-tools/copyright"

# --- the libraries -------------------------------------------------------
exports_of() { nm -D --defined-only "$1" | awk '{print $NF}' | sort | tr '\n' ' '; }
check_library() { # check_library NAME EXPORTS...
    local name=$1; shift
    local real=$root/$lib/lib$name.so.1.0.0
    check "lib$name.so.1.0.0 has SONAME lib$name.so.1" \
        matches "$(readelf -d "$real")" "\(SONAME\).*\[lib$name\.so\.1\]"
    check "lib$name.so.1 links to lib$name.so.1.0.0" test "$(readlink "$root/$lib/lib$name.so.1")" = "lib$name.so.1.0.0"
    check "lib$name.so links to lib$name.so.1" test "$(readlink "$root/$lib/lib$name.so")" = "lib$name.so.1"
    local want
    want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
    local have
    have=$(exports_of "$real")
    if [[ $have == "$want" ]]; then echo "ok: lib$name exports $#"; else fail "lib$name exports [$have], expected [$want]"; fi
}
check_library vesk_pro d0d_read_data d0d_read_header d1d_read_data d1d_save_data d2d_read_data d2d_save_data \
    do_approximation get_1d_sequence get_2d_sequence s1d_d1d_read_header s1d_read_data s1d_write \
    s2d_d2d_read_header s2d_write
check_library MeshInterp SCATDATA_INTERPOL SCATDATA_INTERPOL_DYN

# --- the programs ----------------------------------------------------------
programs=(vesk)
[[ $gui == ON ]] && programs+=(VeskTools vesk-plot)
for program in "${programs[@]}"; do
    check "$program carries no library search path" \
        lacks "$(readelf -d "$root/usr/bin/$program")" '\((RPATH|RUNPATH)\)'
done
export LD_LIBRARY_PATH=$root/$lib
check "the unpacked vesk loads the unpacked libvesk_pro.so.1" \
    matches "$(ldd "$root/usr/bin/vesk")" "libvesk_pro\.so\.1 => $root/$lib/libvesk_pro\.so\.1 "
version_text=$("$root/usr/bin/vesk" --version) || fail "vesk --version exits with $?"
check "vesk --version shows $version ($version_text)" grep -q "$version" <<< "$version_text"

# --- pkg-config ------------------------------------------------------------
export PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$root/$lib/pkgconfig
export PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_ALLOW_SYSTEM_LIBS=1
for name in vesk_pro MeshInterp; do
    flags=$(pkg-config --cflags --libs "$name" | sed 's/ *$//') || fail "pkg-config $name"
    check "pkg-config $name: $flags" test "$flags" = "-I$root/usr/include -L$root/$lib -l$name"
    check "pkg-config --modversion $name is 1.0.0" test "$(pkg-config --modversion "$name")" = 1.0.0
done

# --- the README's C example, built against the unpacked library ------------
example=$scratch/d2d_info.c
awk '/^```c$/ {inside = 1; next} /^```$/ {if (inside) exit} inside' "$source/README.md" > "$example"
check "the README holds a C example" grep -q "vesk_pro.h" "$example"
# shellcheck disable=SC2046  # pkg-config's flags are separate words
if "$cc" "${cflags[@]}" -Wall -Wextra -Werror "$example" $(pkg-config --cflags --libs vesk_pro) "${link_extra[@]}" -o "$scratch/d2d_info"; then
    d2d=$source/examples/wenner.d2d
    # The header's fields read independently: count at byte 1, unit spacing at byte 263.
    count=$(od -An -tu4 -j1 -N4 "$d2d" | tr -d ' ')
    spacing=$(od -An -tu4 -j263 -N4 "$d2d" | tr -d ' ')
    output=$("$scratch/d2d_info" "$d2d") || fail "the C example exits with $?"
    check "the C example reads the header ($output)" \
        test "$output" = "$d2d: $count measurements, array type 0, unit spacing $spacing mm"
    missing=$("$scratch/d2d_info" "$scratch/missing.d2d" 2>&1) && fail "the C example accepts a missing file"
    check "the C example reports result 1 for a missing file ($missing)" \
        test "$missing" = "$scratch/missing.d2d: vesk_pro result 1"
else
    fail "the C example does not compile against the unpacked library"
fi

# --- the CMake package -------------------------------------------------------
project=$scratch/cmake-project
mkdir -p "$project"
cp "$example" "$project/d2d_info.c"
cat > "$project/CMakeLists.txt" << 'EOF'
cmake_minimum_required(VERSION 3.25)
project(UsesQuelvoTools LANGUAGES C)
find_package(QuelvoTools 1 REQUIRED)
add_executable(d2d_info d2d_info.c)
target_link_libraries(d2d_info PRIVATE QuelvoTools::vesk_pro)
get_target_property(location QuelvoTools::MeshInterp LOCATION)
message(STATUS "MeshInterp at ${location}")
EOF
if cmake -S "$project" -B "$project/build" -G Ninja -DCMAKE_C_COMPILER="$cc" \
        -DCMAKE_C_FLAGS="${cflags[*]}" -DCMAKE_EXE_LINKER_FLAGS="${link_extra[*]}" -DCMAKE_PREFIX_PATH="$root/usr" > "$scratch/cmake.log" 2>&1 &&
    cmake --build "$project/build" >> "$scratch/cmake.log" 2>&1; then
    check "find_package(QuelvoTools) gives the unpacked libraries" \
        grep -q "MeshInterp at $root/$lib/libMeshInterp.so.1.0.0" "$scratch/cmake.log"
    check "the C example built through CMake runs" "$project/build/d2d_info" "$source/examples/wenner.d2d"
else
    cat "$scratch/cmake.log" >&2
    fail "a CMake project does not build with find_package(QuelvoTools)"
fi

# --- lintian -------------------------------------------------------------------
unset LD_LIBRARY_PATH PKG_CONFIG_SYSROOT_DIR PKG_CONFIG_LIBDIR
if lintian --fail-on error --tag-display-limit 0 "$deb" > "$scratch/lintian.log" 2>&1; then
    echo "ok: lintian reports no error"
else
    fail "lintian reports errors"
fi
cat "$scratch/lintian.log"

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the package passes every check"
