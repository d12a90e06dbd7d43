#!/usr/bin/env bash
# Builds the Debian package from a release build, validates the launcher and
# the AppStream metadata, installs the package on this machine, uses what it
# installed (the decoder with the installed Data.dat, the manual pages, the
# window with and without a display), removes it and checks nothing is left.
# Runs as root (CI); `.ci/run` calls it after the tests.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${VORRENDAL_PACKAGE_BUILD:-build-package}

fail() { echo "package: FAIL: $*" >&2; exit 1; }
step() { echo "package: $*"; }

# The plate decoded with the installed program: a 1967 plate with a code in
# every box, each of which has a description in resources/descriptions.
sample_plate=(7L55Z123456 76C H N4 14K 43 U 5)
sample_plant=$(sed -n 's/^p67-L\t//p' resources/descriptions/1967.txt)
[ -n "$sample_plant" ] || fail "resources/descriptions/1967.txt has no plant L; pick another sample plate"

# A release build of just what the package holds (no tests, no benchmarks;
# installing does not build everything first). -O2, as Debian builds packages.
step "release build in $build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DVORRENDAL_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target vorrendal_package_files
rm -f "$build"/vorrendal_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/vorrendal_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one vorrendal_*.deb in $build"
deb=${debs[0]}
step "built $(basename "$deb")"

# --- the package's metadata and contents -----------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
version=$(sed -n 's/^project(Vorrendal VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "$(field Package)" = vorrendal ] || fail "package name is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "package version '$(field Version)', project $version"
[ "$(field Maintainer)" = "Vorrendal developers <dev@vorrendal.example.org>" ] \
  || fail "maintainer is '$(field Maintainer)'"
[ -n "$(field Section)" ] || fail "no Section"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
depends_names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
# dpkg-shlibdeps found the libraries the programs link
for lib in libc6 libstdc++6 zlib1g libnettle8 libchm1 libcups2 libqt6widgets6 qt6-qpa-plugins; do
  grep -qxF "$lib" <<<"$depends_names" || fail "Depends lacks $lib: $depends"
done

files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./|/|')
for path in /usr/bin/vorrendal /usr/bin/vorrendal-decode /usr/bin/vorrendal-data \
    /usr/share/vorrendal/Data.dat /usr/share/vorrendal/VRNDL.chm \
    /usr/share/applications/org.example.vorrendal.desktop \
    /usr/share/metainfo/org.example.vorrendal.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.example.vorrendal.svg \
    /usr/share/icons/hicolor/256x256/apps/org.example.vorrendal.png \
    /usr/share/man/man1/vorrendal.1.gz /usr/share/man/man1/vorrendal-decode.1.gz \
    /usr/share/man/man1/vorrendal-data.1.gz; do
  grep -qxF "$path" <<<"$files" || fail "package lacks $path"
done
# nothing from the build or test tree slipped in
stray=$(grep -vE '^/usr/(bin/vorrendal(-decode|-data)?|share/(vorrendal|applications|metainfo|icons|man)/.*)$' \
  <<<"$files" || true)
[ -z "$stray" ] || fail "unexpected files in the package: $stray"

# --- the programs find their files in the build tree and in an install tree --
# (own directory first, then ../share/vorrendal beside it)
decodes_sample() {  # decodes_sample PROGRAM: the sample plate decodes cleanly
  local report
  report=$(cd / && "$1" "${sample_plate[@]}") || fail "$1 exited $? on ${sample_plate[*]}: $report"
  grep -qxF "Plant (L) = $sample_plant" <<<"$report" || fail "$1: plant '$sample_plant' not in: $report"
  ! grep -qF "Description Not Found" <<<"$report" || fail "$1: a code had no description: $report"
}
step "decoding the sample plate in the build tree and in an installed prefix"
decodes_sample "$PWD/$build/bin/vorrendal-decode"
prefix=$(mktemp -d)
cmake --install "$build" --prefix "$prefix" --component vorrendal >/dev/null
[ ! -e "$prefix/bin/Data.dat" ] || fail "Data.dat installed beside the programs"
decodes_sample "$prefix/bin/vorrendal-decode"
# the metadata, its launcher and icon, as installed together
appstreamcli validate-tree --no-net "$prefix" >/dev/null || appstreamcli validate-tree --no-net "$prefix" \
  || fail "the installed tree's AppStream metadata, launcher or icon do not agree"
rm -rf "$prefix"

# --- launcher and metadata --------------------------------------------------
step "validating the launcher and the AppStream metadata"
desktop-file-validate packaging/org.example.vorrendal.desktop
appstreamcli validate --no-net packaging/org.example.vorrendal.metainfo.xml >/dev/null \
  || appstreamcli validate --no-net packaging/org.example.vorrendal.metainfo.xml

# --- manual pages: clean troff, and every option of --help documented -------
step "checking the manual pages"
for page in packaging/man/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
for tool in decode data; do
  help=$("$build/bin/vorrendal-$tool" --help)
  page=packaging/man/vorrendal-$tool.1
  options=$( (grep -oE -- '--[a-z][a-z-]+' <<<"$help"
              grep -oE -- '(^|[ [])-[a-zA-Z]([ ,]|$)' <<<"$help" | tr -d ' ,[') | sort -u)
  [ -n "$options" ] || fail "no options found in vorrendal-$tool --help"
  for option in $options; do
    # troff writes a hyphen as \-
    grep -qF -- "${option//-/\\-}" "$page" || fail "$page does not document $option"
  done
done

# The single-plate examples of the pages decode cleanly with the shipped data.
examples=$(sed -n '/^\.EX/,/^\.EE/p' packaging/man/*.1 | sed 's/\\-/-/g' \
  | grep -E '^vorrendal-decode ' | grep -vE -- '--(batch|data)' || true)
[ -n "$examples" ] || fail "no single-plate example found in the manual pages"
while read -r example; do
  eval "set -- ${example#vorrendal-decode }"
  "$build/bin/vorrendal-decode" "$@" >/dev/null || fail "manual page example exits $?: $example"
done <<<"$examples"

# --- install ----------------------------------------------------------------
step "installing $(basename "$deb")"
export DEBIAN_FRONTEND=noninteractive
(cd "$build" && apt-get install -y -qq "./$(basename "$deb")" >/dev/null)
trap 'apt-get remove -y -qq vorrendal >/dev/null 2>&1 || true' EXIT
# A slim container image tells dpkg to drop some paths (manual pages, mostly)
# from every package it installs; what it drops cannot be checked here.
dropped_by_dpkg() {  # dropped_by_dpkg PATH
  local rule pattern dropped=1
  while read -r rule pattern; do
    # shellcheck disable=SC2053  # the pattern is a glob on purpose
    [[ $1 == $pattern ]] || continue
    case $rule in path-exclude) dropped=0 ;; path-include) dropped=1 ;; esac
  done < <(cat /etc/dpkg/dpkg.cfg.d/* 2>/dev/null | grep -E '^path-(ex|in)clude[ =]' | tr '=' ' ')
  return $dropped
}
for path in $files; do
  if dropped_by_dpkg "$path"; then
    step "dpkg is set to leave out $path on this machine; not checked"
  else
    [ -e "$path" ] || fail "installed package lacks $path"
  fi
done

# The decoder runs from /usr/bin, where no Data.dat lies, so a description can
# only come from /usr/share/vorrendal/Data.dat.
[ ! -e /usr/bin/Data.dat ] || fail "/usr/bin/Data.dat exists; the check would prove nothing"
step "decoding a sample plate with /usr/bin/vorrendal-decode"
decodes_sample /usr/bin/vorrendal-decode

# man finds the installed pages
for page in vorrendal vorrendal-decode vorrendal-data; do
  dropped_by_dpkg "/usr/share/man/man1/$page.1.gz" && continue
  where=$(man -w "$page") || fail "man -w $page found nothing"
  [ "$where" = "/usr/share/man/man1/$page.1.gz" ] || fail "man -w $page gave $where"
done

# The launcher and the metadata point at what the package installed.
desktop=/usr/share/applications/org.example.vorrendal.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
command -v "$exec_name" >/dev/null || fail "launcher runs '$exec_name', not on PATH"
[ -e "/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "launcher icon $icon_name missing"
png=/usr/share/icons/hicolor/256x256/apps/$icon_name.png
file "$png" | grep -q 'PNG image data, 256 x 256' || fail "$png is not a 256x256 PNG: $(file "$png")"
appstreamcli validate --no-net /usr/share/metainfo/org.example.vorrendal.metainfo.xml >/dev/null \
  || fail "installed metainfo does not validate"

# Without a display the window says so, points at the decoder, and exits 2.
step "starting /usr/bin/vorrendal without a display"
set +e
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 /usr/bin/vorrendal 2>&1)
status=$?
set -e
[ "$status" -eq 2 ] || fail "vorrendal without a display exited $status: $message"
suggestion=$(grep -m 1 -oE '[^ ]*vorrendal-decode( [^ ]+)*' <<<"$message" || true)
[ -n "$suggestion" ] || fail "no-display message does not show vorrendal-decode: $message"
# What it shows must work for the person who ran /usr/bin/vorrendal, in
# whatever directory they are.
read -r -a words <<<"$suggestion"
(cd / && "${words[@]}" >/dev/null 2>&1) || fail "the decoder command the no-display message shows does not decode cleanly from /: $suggestion"

# With a display it starts and keeps running until it is closed.
if command -v xvfb-run >/dev/null; then
  step "starting /usr/bin/vorrendal under Xvfb"
  set +e
  xvfb-run -a -s "-screen 0 1280x1024x24" timeout 5 /usr/bin/vorrendal >/dev/null 2>&1
  status=$?
  set -e
  [ "$status" -eq 124 ] || fail "vorrendal under Xvfb ended by itself with status $status"
fi

# --- remove -----------------------------------------------------------------
step "removing the package"
apt-get remove -y -qq vorrendal >/dev/null
trap - EXIT
for path in $files; do [ ! -e "$path" ] || fail "$path is still there after removal"; done
[ ! -d /usr/share/vorrendal ] || fail "/usr/share/vorrendal is still there after removal"
state=$(dpkg-query -W -f='${db:Status-Status}' vorrendal 2>/dev/null || true)
[ "$state" != installed ] || fail "dpkg still lists vorrendal as installed"
step "ok"
