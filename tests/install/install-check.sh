#!/usr/bin/env bash
# Checks of the installed tree and the Debian package.
#
#   install-check.sh STEP SOURCE_DIR BUILD_DIR VERSION GUI [HARDENED]
#
# STEP is one of
#   install   cmake --install into BUILD_DIR/install-test/prefix (the others
#             look there)
#   layout    every file in its place, the programs run, the names agree
#   man       the man pages format without warnings and have a NAME line
#   desktop   desktop-file-validate on the desktop entry
#   metainfo  appstreamcli validate on the AppStream data
#   mime      update-mime-database takes the MIME type and finds *.vkf
#   deb       cpack -G DEB into BUILD_DIR/install-test/deb: the package's
#             fields and files, and the programs' hardening
#   lintian   lintian on that package: no errors, no warnings
# GUI is ON when the desktop program is built; HARDENED is ON when the
# programs are built with the hardening flags (an optimised build).
# Exit status 77 skips a check whose tool is not installed.
set -euo pipefail

step=$1 source_dir=$2 build_dir=$3 version=$4 gui=$5 hardened=${6:-OFF}
work="$build_dir/install-test"
prefix="$work/prefix"
skip=77
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need() {
    command -v "$1" >/dev/null || {
        echo "SKIP: $1 is not installed"
        exit $skip
    }
}
is_on() { [ "$1" = ON ] || [ "$1" = 1 ] || [ "$1" = TRUE ]; }
is_gui() { is_on "$gui"; }

programs=(kt-m220-cli kt-m220-sim)
is_gui && programs+=(kt-m220)
png_sizes=(16 32 48 64 128 256)

# The files of an installation below root (a prefix), one a line.
expected_files() {
    local root=$1 p s
    for p in "${programs[@]}"; do
        echo "$root/bin/$p"
        echo "$root/share/man/man1/$p.1.gz"
    done
    echo "$root/lib/udev/rules.d/60-kt-m220.rules"
    echo "$root/share/doc/kt-m220/copyright"
    echo "$root/share/doc/kt-m220/changelog.Debian.gz"
    echo "$root/share/lintian/overrides/kt-m220"
    if is_gui; then
        echo "$root/share/applications/org.velk.ktm220.desktop"
        echo "$root/share/metainfo/org.velk.ktm220.metainfo.xml"
        echo "$root/share/mime/packages/kt-m220.xml"
        echo "$root/share/icons/hicolor/scalable/apps/kt-m220.svg"
        for s in "${png_sizes[@]}"; do
            echo "$root/share/icons/hicolor/${s}x${s}/apps/kt-m220.png"
        done
        for p in "$source_dir"/resources/help/*; do
            echo "$root/share/doc/kt-m220/help/${p##*/}"
        done
    fi
}

# A desktop entry's value for key.
desktop_value() { sed -n "s/^$1=//p" "$prefix/share/applications/org.velk.ktm220.desktop"; }

# The package that the deb step made.
built_deb() { ls "$work/deb"/kt-m220_"$version"-*_*.deb 2>/dev/null | head -1; }

# Whether a file is gzip data without a name or time stamp, at the best
# compression (what gzip -9n writes).
is_gzip_9n() {
    local header
    header=$(od -A n -t x1 -N 10 "$1" | tr -d ' \n')
    # Magic, deflate, no flags (no name), zero time, best compression.
    [[ $header == 1f8b08000000000002* ]]
}

case $step in
install)
    rm -rf "$work"
    mkdir -p "$work"
    cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" ||
        { cat "$work/install.log" >&2; exit 1; }
    ;;

layout)
    while read -r f; do
        [ -f "$f" ] || fail "missing $f"
    done < <(expected_files "$prefix")
    for p in "${programs[@]}"; do
        [ -x "$prefix/bin/$p" ] || fail "$p is not executable"
    done
    # The programs answer --version from where they are installed; the
    # desktop program without any display.
    unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
    for p in "${programs[@]}"; do
        out=$("$prefix/bin/$p" --version 2>&1) || fail "$p --version: status $?"
        [[ $out == *"$version"* ]] || fail "$p --version says '$out', not $version"
        "$prefix/bin/$p" --help >/dev/null 2>&1 || fail "$p --help: status $?"
    done
    if is_gui; then
        for s in "${png_sizes[@]}"; do
            f="$prefix/share/icons/hicolor/${s}x${s}/apps/kt-m220.png"
            command -v file >/dev/null || break
            [[ $(file -b "$f") == "PNG image data, $s x $s,"* ]] ||
                fail "$f is not a $s x $s PNG: $(file -b "$f")"
        done
        # The names that tie the entry, the icon, the MIME type, the AppStream
        # data and the running program together.
        [ "$(desktop_value Exec | cut -d' ' -f1)" = kt-m220 ] || fail "Exec is not kt-m220"
        [ "$(desktop_value Icon)" = kt-m220 ] || fail "Icon is not kt-m220"
        mime=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$prefix/share/mime/packages/kt-m220.xml")
        [ "$(desktop_value MimeType)" = "$mime;" ] || fail "MimeType is not $mime"
        metainfo="$prefix/share/metainfo/org.velk.ktm220.metainfo.xml"
        appstream_id=$(sed -n 's#.*<id>\([^<]*\)</id>.*#\1#p' "$metainfo")
        [ "$appstream_id" = org.velk.ktm220 ] || fail "the AppStream id is $appstream_id"
        grep -q "<launchable type=\"desktop-id\">$appstream_id.desktop</launchable>" "$metainfo" ||
            fail "the AppStream data does not launch $appstream_id.desktop"
        grep -q "setDesktopFileName(QStringLiteral(\"$appstream_id\"))" "$source_dir/src/gui/app/main.cpp" ||
            fail "the program does not call itself $appstream_id to the desktop"
        # The newest release in the AppStream data is this version.
        newest=$(grep -m1 -o '<release version="[^"]*"' \
            "$prefix/share/metainfo/org.velk.ktm220.metainfo.xml" | cut -d'"' -f2)
        [ "$newest" = "$version" ] || fail "the AppStream data's newest release is $newest, not $version"
    fi
    ;;

man)
    need groff
    for p in "${programs[@]}"; do
        page="$prefix/share/man/man1/$p.1.gz"
        is_gzip_9n "$page" || fail "$page is not compressed with gzip -9n"
        text=$(gzip -dc "$page") || { fail "$page does not decompress"; continue; }
        warnings=$(groff -man -ww -z <<<"$text" 2>&1) || fail "groff failed on $page"
        [ -z "$warnings" ] || fail "$page: $warnings"
        grep -q '@PROJECT_VERSION@' <<<"$text" && fail "$page keeps the version placeholder"
        grep -q "^\.TH .* \"KT-M220 $version\"" <<<"$text" || fail "$page does not name version $version"
        if command -v lexgrog >/dev/null; then
            lexgrog "$page" | grep -q "$p - " || fail "$page has no NAME line for $p"
        fi
    done
    ;;

desktop)
    is_gui || { echo "SKIP: no desktop program"; exit $skip; }
    need desktop-file-validate
    out=$(desktop-file-validate "$prefix/share/applications/org.velk.ktm220.desktop" 2>&1) ||
        fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    ;;

metainfo)
    is_gui || { echo "SKIP: no desktop program"; exit $skip; }
    need appstreamcli
    appstreamcli validate --no-net --pedantic \
        "$prefix/share/metainfo/org.velk.ktm220.metainfo.xml" || fail "appstreamcli validate"
    ;;

mime)
    is_gui || { echo "SKIP: no desktop program"; exit $skip; }
    need update-mime-database
    mime_dir="$work/mime"
    rm -rf "$mime_dir"
    mkdir -p "$mime_dir/packages"
    cp "$prefix/share/mime/packages/kt-m220.xml" "$mime_dir/packages/"
    out=$(XDG_DATA_DIRS="$work" update-mime-database "$mime_dir" 2>&1) || fail "update-mime-database: $out"
    [ -z "$out" ] || fail "update-mime-database: $out"
    grep -q '^application/x-kt-m220:\*\.vkf$' "$mime_dir/globs" ||
        fail "*.vkf is not application/x-kt-m220: $(cat "$mime_dir/globs")"
    ;;

deb)
    need dpkg-deb
    need dpkg-shlibdeps
    deb_dir="$work/deb"
    rm -rf "$deb_dir"
    mkdir -p "$deb_dir"
    (cd "$deb_dir" && cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$deb_dir" \
        >"$deb_dir/cpack.log" 2>&1) || { cat "$deb_dir/cpack.log" >&2; exit 1; }
    deb=$(built_deb)
    [ -n "$deb" ] || { fail "no kt-m220_${version}-*_*.deb in $deb_dir"; exit 1; }
    field() { dpkg-deb -f "$deb" "$1"; }
    [ "$(field Package)" = kt-m220 ] || fail "Package is $(field Package)"
    [[ $(field Version) == "$version"-* ]] || fail "Version is $(field Version), not $version-<release>"
    # The newest changelog entry is this package.
    tree="$deb_dir/tree"
    dpkg-deb -x "$deb" "$tree"
    changelog="$tree/usr/share/doc/kt-m220/changelog.Debian.gz"
    is_gzip_9n "$changelog" || fail "$changelog is not compressed with gzip -9n"
    if command -v dpkg-parsechangelog >/dev/null; then
        entry=$(gzip -dc "$changelog" | dpkg-parsechangelog -l - -S Version) ||
            fail "dpkg-parsechangelog cannot read $changelog"
        [ "$entry" = "$(field Version)" ] ||
            fail "the changelog's newest entry is $entry, the package $(field Version)"
    fi
    [ "$(field Section)" = hamradio ] || fail "Section is $(field Section)"
    [[ $(field Maintainer) == *"<"*"@"*">" ]] || fail "Maintainer is $(field Maintainer)"
    [[ $(field Description) == *VR-M220* ]] || fail "Description: $(field Description)"
    # The libraries come from dpkg-shlibdeps.
    depends=$(field Depends)
    [[ $depends == *libc6* && $depends == *libstdc++6* ]] || fail "Depends: $depends"
    if is_gui; then
        [[ $depends == *libqt6widgets6* && $depends == *qt6-qpa-plugins* ]] ||
            fail "Depends lacks Qt: $depends"
    fi
    listing=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's#^\./#/#')
    while read -r f; do
        grep -qx "$f" <<<"$listing" || fail "the package lacks $f"
    done < <(expected_files /usr)
    # The programs as the optimised build hardens them: position-independent,
    # relocations read-only after start-up, stack canaries, checked string
    # and memory functions.
    if is_on "$hardened" && command -v readelf >/dev/null; then
        for p in "${programs[@]}"; do
            f="$tree/usr/bin/$p"
            [[ $(readelf -h "$f") == *"Type:"*"DYN "* ]] || fail "$p is not position-independent"
            readelf -l -W "$f" | grep -q GNU_RELRO || fail "$p has no RELRO segment"
            readelf -d -W "$f" | grep -Eq 'BIND_NOW|FLAGS.*\bNOW\b' || fail "$p is not bound at start-up"
            symbols=$(readelf --dyn-syms -W "$f")
            grep -q '__stack_chk_fail' <<<"$symbols" || fail "$p has no stack protector"
            grep -Eq '__[a-z]+_chk(@|$| )' <<<"$symbols" || fail "$p calls no checked C library function"
        done
    fi
    echo "$(du -k "$deb" | cut -f1) kB: $deb"
    ;;

lintian)
    need lintian
    deb=$(built_deb)
    [ -n "$deb" ] || { fail "no package from the deb step in $work/deb"; exit 1; }
    # Errors and warnings fail; the informational tags are shown.
    lintian --fail-on error,warning --display-info "$deb" || fail "lintian on $deb"
    ;;

*)
    echo "install-check.sh: unknown step $step" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ] || exit 1
