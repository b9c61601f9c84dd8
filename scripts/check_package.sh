#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it as an
# installation would meet it: every file in place, the desktop entry and the
# AppStream metadata valid, lintian without errors (and without warnings that
# the README does not list), and the programs unpacked into a scratch folder
# running with only the installed files. Exits non-zero on the first failure.
# With a path, checks that package instead of building one.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
source scripts/deps.sh
morikoyomi_install_deps

fail() {
  echo "check_package: $*" >&2
  exit 1
}

if [ $# -ge 1 ]; then
  deb=$1
else
  deb=$(scripts/package.sh | tail -n 1)
fi
version=$(sed -n 's/^project(morikoyomi VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[ "$(basename "$deb")" = "morikoyomi_${version}_amd64.deb" ] || fail "unexpected package name $deb"
echo "== $deb"

# -- Every file an installation needs.
contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./|/|')
expected=(
  /usr/bin/morikoyomi
  /usr/bin/morikoyomi-cli
  /usr/share/applications/morikoyomi.desktop
  /usr/share/metainfo/io.github.morikoyomi.morikoyomi.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/morikoyomi.svg
  /usr/share/man/man1/morikoyomi.1.gz
  /usr/share/man/man1/morikoyomi-cli.1.gz
  /usr/share/doc/morikoyomi/README.md
  /usr/share/doc/morikoyomi/copyright
  /usr/share/doc/morikoyomi/changelog.gz
)
icon_sizes=(16 22 24 32 48 64 128 256)
for size in "${icon_sizes[@]}"; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/morikoyomi.png")
done
# The examples and pictures of the source tree (outside a git checkout: the
# files on disk, less the tables a trial run may have left).
source_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -c core.quotepath=off ls-files -- "$1"
  else
    find "$1" -type f -not -name 'YIELD_*' -not -name '_TmpBmp*'
  fi
}
while IFS= read -r file; do
  case "$file" in examples/tools/*) continue ;; esac
  expected+=("/usr/share/morikoyomi/examples/${file#examples/}")
done < <(source_files examples)
while IFS= read -r file; do
  expected+=("/usr/share/doc/morikoyomi/$file")
done < <(source_files docs/images)
[ ${#expected[@]} -gt 40 ] || fail "the list of expected files is too short: ${#expected[@]}"
missing=0
for file in "${expected[@]}"; do
  if ! grep -qxF -- "$file" <<<"$contents"; then
    echo "missing from the package: $file" >&2
    missing=1
  fi
done
[ $missing -eq 0 ] || fail "files are missing"
if grep -q '^/usr/local/' <<<"$contents"; then fail "files under /usr/local"; fi
depends=$(dpkg-deb --field "$deb" Depends)
grep -q 'fonts-ipafont' <<<"$depends" || fail "Depends lacks fonts-ipafont: $depends"
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt libraries: $depends"
echo "files: ${#expected[@]} present; Depends: $depends"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg -x "$deb" "$root"

# -- Desktop entry, AppStream metadata, icons and manual pages.
desktop-file-validate "$root/usr/share/applications/morikoyomi.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.morikoyomi.morikoyomi.metainfo.xml"
for size in "${icon_sizes[@]}"; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/morikoyomi.png"
  file "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a $size x $size PNG"
done
for page in morikoyomi morikoyomi-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
# Found by name, as `man morikoyomi-cli` finds it once installed.
LC_ALL=C.UTF-8 MANWIDTH=80 MANPATH="$root/usr/share/man" man morikoyomi-cli |
  grep -q 'EXIT STATUS' || fail "man morikoyomi-cli does not show the manual page"

# -- lintian: no error; every warning listed in the README.
lintian_out=$(lintian --fail-on none --tag-display-limit 0 "$deb" 2>&1 || true)
[ -z "$lintian_out" ] || echo "$lintian_out"
if grep -q '^E: ' <<<"$lintian_out"; then fail "lintian reports errors"; fi
unlisted=0
while IFS= read -r tag; do
  [ -n "$tag" ] || continue
  if ! grep -q -- "\`$tag\`" README.md; then
    echo "lintian warning not listed in README.md: $tag" >&2
    unlisted=1
  fi
done < <(sed -n 's/^W: morikoyomi[^:]*: \([a-z0-9-]*\).*/\1/p' <<<"$lintian_out" | sort -u)
[ $unlisted -eq 0 ] || fail "lintian warnings missing from the README"

# -- The unpacked programs, from a folder outside the source tree, with
# nothing of the build on their paths.
cli="$root/usr/bin/morikoyomi-cli"
if readelf -d "$cli" "$root/usr/bin/morikoyomi" | grep -qE 'RPATH|RUNPATH'; then
  fail "an installed program carries a library path of the build"
fi
run() { (cd "$scratch" && env -i PATH=/usr/bin:/bin HOME="$scratch" LANG=C.UTF-8 "$@"); }
out=$(run "$cli" --version)
[ "$out" = "morikoyomi-cli $version" ] || fail "--version printed '$out'"
run "$cli" --help | grep -q "morikoyomi-cli yield RUNFILE" || fail "--help lacks the yield usage"

cp -r "$root/usr/share/morikoyomi/examples" "$scratch/examples"
printed=$(run "$cli" yield examples/yield_method4.run --images images)
table="$scratch/examples/YIELD_AA.150"
[ "$(head -n 1 <<<"$printed")" = "examples/YIELD_AA.150" ] || fail "the example run printed: $printed"
[ -s "$table" ] || fail "the example run wrote no table"
for i in 0 1 2 3 4 5; do
  file "$scratch/images/image$i.bmp" | grep -q "PC bitmap" || fail "image$i.bmp missing"
done
# The same run of the source examples with the freshly built program: the
# installed examples and the stripped program give the same bytes.
mkdir "$scratch/source"
cp -r examples "$scratch/source/examples"
rm -f "$scratch/source/examples"/YIELD_*
build_cli="$top/build/package/src/cli/morikoyomi-cli"
(cd "$scratch/source" && "$build_cli" yield examples/yield_method4.run >/dev/null)
cmp "$table" "$scratch/source/examples/YIELD_AA.150" || fail "the installed run differs from the source run"

# The windows start and keep running until stopped (offscreen).
status=0
run env QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/morikoyomi" >/dev/null 2>&1 || status=$?
[ $status -eq 124 ] || fail "morikoyomi ended with status $status instead of running"

echo "check_package: $(basename "$deb") passes"
