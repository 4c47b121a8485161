#!/usr/bin/env bash
# The Debian package: built with CPack from the build folder, its control
# fields and files checked, unpacked with dpkg -x into a scratch root, and the
# installed program run from there: its options, --check on the installed
# sample disc, and a start from the desktop entry's command that paints its
# window with nothing but a fresh configuration folder, writing nothing into
# the installation.
# Usage: install_and_package.sh BUILD_FOLDER
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"

build=$(realpath "$1")
scratch=$(mktemp -d)
folders+=("$scratch")
use_private_runtime_directory
trap 'stop_null_sink; cleanup' EXIT

start_case "package built with CPack"
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" > cpack.log 2>&1) ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; finish; }
package=$(ls "$scratch"/out/pemmaro_*.deb)
expect_equal "$(dpkg-deb -f "$package" Package)" "pemmaro" "package name"
expect_equal "$(dpkg-deb -f "$package" Version)" "1.0" "package version"
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libsndfile1 libcdio libjpeg62-turbo libfftw3 \
  libqt6webenginewidgets6 fonts-liberation xdg-utils; do
  [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

start_case "installed files"
root=$scratch/root
dpkg -x "$package" "$root"
(cd "$root" && find . -type f | sed 's|^\./||' | sort) > "$scratch/files"
for file in usr/bin/pemmaro usr/lib/pemmaro/libpemmaro_webengine.so \
  usr/share/pemmaro/names_sc.txt usr/share/pemmaro/Pemmaro.txt usr/share/pemmaro/PROGR_NM.TXT \
  usr/share/pemmaro/Pemmaro.html usr/share/pemmaro/Readme.html \
  usr/share/pemmaro/screenshots/browsing-window.png \
  usr/share/applications/example.pemmaro.Pemmaro.desktop \
  usr/share/metainfo/example.pemmaro.Pemmaro.metainfo.xml \
  usr/share/icons/hicolor/48x48/apps/pemmaro.png usr/share/icons/hicolor/128x128/apps/pemmaro.png \
  usr/share/icons/hicolor/256x256/apps/pemmaro.png usr/share/icons/hicolor/scalable/apps/pemmaro.svg \
  usr/share/man/man1/pemmaro.1; do
  grep -qxF "$file" "$scratch/files" || fail "the package lacks $file"
done
expect_equal "$(ls "$root/usr/bin")" "pemmaro" "programs in usr/bin"
grep -q '^usr/share/pemmaro/tapes/' "$scratch/files" || fail "the package lacks the sample recordings"
grep -qE '(README\.md|_tests|_bench|manifest)$' "$scratch/files" && fail "the package holds development files"

program=$root/usr/bin/pemmaro
export XDG_CONFIG_HOME=$scratch/config HOME=$scratch/home
mkdir -p "$HOME"
touch "$scratch/before-runs"
sleep 1

start_case "options"
"$program" --version > "$scratch/out.txt"
expect_equal "$(cat "$scratch/out.txt")" "Pemmaro 1.0" "--version"
"$program" --help > "$scratch/out.txt"
expect_contains "$scratch/out.txt" "Usage: pemmaro"
expect_contains "$scratch/out.txt" "Exit codes"
set +e
"$program" --colour > "$scratch/out.txt" 2> "$scratch/err.txt"
status=$?
set -e
expect_equal "$status" 2 "exit code of an unknown option"
expect_equal "$(cat "$scratch/out.txt")" "" "standard output of an unknown option"
expect_contains "$scratch/err.txt" "Usage: pemmaro"

start_case "--check on the installed sample disc"
"$program" --check "$root/usr/share/pemmaro" > "$scratch/counts-given" || fail "--check FOLDER failed"
# From any other folder the installed program finds its own sample disc.
(cd "$HOME" && "$program" --check) > "$scratch/counts-own" || fail "--check failed"
expect_contains "$scratch/counts-own" "species"
expect_equal "$(cat "$scratch/counts-own")" "$(cat "$scratch/counts-given")" "counts"

start_case "first start of the installed program from its desktop entry"
command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/example.pemmaro.Pemmaro.desktop")
if start_null_sink; then
  set +e
  (cd "$HOME" && PATH=$root/usr/bin:$PATH PEMMARO_REPORT_FIRST_PAINT=quit QT_QPA_PLATFORM=offscreen \
    timeout 60 $command) \
    > "$scratch/out.txt" 2> "$scratch/err.txt"
  status=$?
  set -e
  expect_equal "$status" 0 "exit code"
  expect_contains "$scratch/out.txt" "first-paint"
  expect_contains "$XDG_CONFIG_HOME/pemmaro/Pemmaro.ini" "Base Directory=$root/usr/share/pemmaro/"
  [ -s "$scratch/err.txt" ] && { fail "messages at the first start:"; cat "$scratch/err.txt" >&2; }
else
  fail "no sound server for the first start"
fi
written=$(find "$root" -newer "$scratch/before-runs")
expect_equal "$written" "" "files written into the installation"

finish
