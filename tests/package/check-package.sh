#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, unpacks it into a scratch
# root and checks what an installation gets: the programs start, the desktop entry and the
# metainfo are valid, the icon and the session type are where desktops look for them, and
# the package names its library dependencies.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/ovs-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log"
  exit 1
}
deb=$(ls "$scratch"/out/*.deb)
root=$scratch/root
dpkg -x "$deb" "$root"

fail() { echo "check-package: $*" >&2; exit 1; }

[ "$(dpkg-deb -f "$deb" Section)" = science ] || fail "section is not science"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt libraries: $depends"
grep -q 'libzip' <<<"$depends" || fail "Depends lacks libzip: $depends"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 2 ] || fail "the description has no long part"

for file in usr/bin/ovs usr/bin/ovs-studio usr/share/applications/ovs-studio.desktop \
    usr/share/icons/hicolor/scalable/apps/ovs-studio.svg usr/share/mime/packages/ovs-studio.xml \
    usr/share/metainfo/example.halvrenn.ovs_studio.metainfo.xml; do
  [ -e "$root/$file" ] || fail "$file is not in the package"
done

desktop-file-validate "$root/usr/share/applications/ovs-studio.desktop" | grep -v '^.*: hint: ' || true
desktop-file-validate "$root/usr/share/applications/ovs-studio.desktop" >/dev/null 2>&1 ||
  fail "desktop-file-validate refused the desktop entry"
# Errors fail the validation; informational notes do not.
appstreamcli validate --no-net "$root/usr/share/metainfo/example.halvrenn.ovs_studio.metainfo.xml" >/dev/null ||
  fail "appstreamcli refused the metainfo"

version=$("$root/usr/bin/ovs" --version)
[ "$version" = $'Ostrel-Vane Studio\nVersion 2.0' ] || fail "ovs --version printed: $version"
studio=$(QT_QPA_PLATFORM=offscreen timeout 60 "$root/usr/bin/ovs-studio" --version)
[ "$studio" = $'Ostrel-Vane Studio\nVersion 2.0' ] || fail "ovs-studio --version printed: $studio"
echo "check-package: $(basename "$deb") installs and starts"
