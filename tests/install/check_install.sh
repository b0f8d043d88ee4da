#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a user gets: the
# exact list of installed files, the desktop entry and the metainfo as the
# desktop's validators see them, the project files' MIME type, quorvix-cli
# --version, both man pages rendered without a warning, and the Debian
# package: its dependencies, and that it holds the same files, byte for byte,
# as the install. Nothing is installed on the machine.
#
#   tests/install/check_install.sh [BUILD_DIR]    (default: build)
#
# BUILD_DIR must hold built programs (a normal or a BUILD_TESTING=OFF build);
# nothing is built here. Needs desktop-file-utils, appstream, shared-mime-info,
# man-db, groff-base and dpkg-dev.
set -euo pipefail
shopt -s nullglob
cd "$(dirname "$0")/../.."
build=${1:-build}

fail() {
  echo "check_install: $*" >&2
  exit 1
}

[ -f "$build/CMakeCache.txt" ] || fail "$build is not a configured build folder"
[ -x "$build/quorvix-cli" ] || fail "$build/quorvix-cli is not built"
header=$build/generated/quorvix_version.h
version=$(sed -n 's/.*kVersion = "\(.*\)";/\1/p' "$header")
app_id=$(sed -n 's/.*kAppId = "\(.*\)";/\1/p' "$header")
[ -n "$version" ] && [ -n "$app_id" ] || fail "no version or id in $header"
window=false
[ -x "$build/quorvix" ] && window=true

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"  # man may read the pages as another user
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" --strip >/dev/null

# The tree: exactly these files.
{
  echo bin/quorvix-cli
  echo share/man/man1/quorvix-cli.1
  echo share/doc/quorvix/copyright
  for page in docs/manual/*.html docs/manual/*.css docs/manual/*.png; do
    echo "share/doc/quorvix/manual/$(basename "$page")"
  done
  if $window; then
    echo bin/quorvix
    echo share/man/man1/quorvix.1
    [ -f "$build/matrix.chm" ] && echo share/doc/quorvix/manual/matrix.chm
    echo "share/applications/$app_id.desktop"
    echo "share/metainfo/$app_id.metainfo.xml"
    echo "share/mime/packages/$app_id.xml"
    for size in 16 32 48 64 128 256; do
      echo "share/icons/hicolor/${size}x$size/apps/$app_id.png"
    done
    echo "share/icons/hicolor/scalable/apps/$app_id.svg"
  fi
} | sort >"$work/expected"
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/installed"
if ! diff -u "$work/expected" "$work/installed" >"$work/tree.diff"; then
  cat "$work/tree.diff" >&2
  fail "the installed files differ from the expected list (- expected, + installed)"
fi
echo "check_install: $(wc -l <"$work/installed") files installed as expected"

# quorvix-cli from the installed prefix.
said=$("$prefix/bin/quorvix-cli" --version)
[ "$said" = "quorvix-cli $version" ] || fail "quorvix-cli --version printed '$said', not 'quorvix-cli $version'"

# Man pages: rendered at 80 columns with every groff warning on.
for page in "$prefix"/share/man/man1/*.1; do
  warnings=$(MANWIDTH=80 man --warnings=w -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $(basename "$page") warns: $warnings"
  MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^NAME' || fail "man $(basename "$page") shows no NAME section"
done

if $window; then
  desktop=$prefix/share/applications/$app_id.desktop
  # Errors and warnings fail; a hint (more than one main category) is shown.
  desktop-file-validate "$desktop" >"$work/desktop.txt" 2>&1 || {
    cat "$work/desktop.txt" >&2
    fail "desktop-file-validate refuses $desktop"
  }
  if grep -E ': (error|warning|hint): ' "$work/desktop.txt" >&2; then
    fail "desktop-file-validate warns or hints about $desktop"
  fi
  sed 's/^/  /' "$work/desktop.txt"
  appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >"$work/metainfo.txt" 2>&1 &&
    appstreamcli validate-tree --no-net "$prefix" >>"$work/metainfo.txt" 2>&1 || {
    cat "$work/metainfo.txt" >&2
    fail "appstreamcli refuses the metainfo"
  }

  # The entry's icon and program are installed, and a double click on a
  # project reaches it: the MIME database built from the installed type file
  # maps *.mtx to the type the entry opens.
  grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry's icon is not $app_id"
  exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -x "$prefix/bin/$exec_program" ] || fail "the desktop entry starts $exec_program, which is not installed"
  mime_type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
  cp -r "$prefix/share/mime" "$work/mime"
  mime_warnings=$(XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>&1)
  [ -z "$mime_warnings" ] || fail "update-mime-database: $mime_warnings"
  grep -q "^[0-9]*:$mime_type:\*\.mtx$" "$work/mime/globs2" ||
    fail "the MIME database does not map *.mtx to $mime_type"
fi

# The package, built from the same build folder: cpack runs the same
# install rules with the same stripping.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.txt" 2>&1 || {
  cat "$work/cpack.txt" >&2
  fail "cpack -G DEB failed"
}
deb=$work/package/quorvix_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") was made"
depends=$(dpkg-deb --field "$deb" Depends)
echo "check_install: $(basename "$deb") depends on: $depends"
required=(libc6 libstdc++6)
$window && required+=(libqt6widgets6)
for library in "${required[@]}"; do
  [[ " $depends," == *" $library "* || " $depends," == *" $library,"* ]] ||
    fail "the package's dependencies lack $library"
done
dpkg-deb -x "$deb" "$work/extracted"
[ "$(ls "$work/extracted")" = usr ] || fail "the package installs outside /usr: $(ls "$work/extracted")"
(cd "$prefix" && find . -type f -o -type l | sort | xargs sha256sum) >"$work/installed.sums"
(cd "$work/extracted/usr" && find . -type f -o -type l | sort | xargs sha256sum) >"$work/packaged.sums"
if ! diff -u "$work/installed.sums" "$work/packaged.sums" >"$work/package.diff"; then
  cat "$work/package.diff" >&2
  fail "the package's files differ from the install (- installed, + packaged)"
fi
echo "check_install: the package holds the $(wc -l <"$work/packaged.sums") installed files; all checks passed"
