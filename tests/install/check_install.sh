#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks the tree as a
# desktop sees it: the program (which runs from there, without a display),
# the desktop entry and the AppStream metadata (each passed through its
# validator), and the icons.
#   check_install.sh BUILD_DIR PORTRAITS_DIR
set -euo pipefail
build="$1"
portraits="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [ -f "$prefix/$1" ] || fail "missing $1"; }

expect_file bin/idphoto
[ -x "$prefix/bin/idphoto" ] || fail "bin/idphoto is not executable"
expect_file share/applications/cn.licheng.idphoto.desktop
expect_file share/metainfo/cn.licheng.idphoto.metainfo.xml
expect_file share/icons/hicolor/scalable/apps/idphoto.svg
for size in 16 24 32 48 64 128 256; do
  expect_file "share/icons/hicolor/${size}x${size}/apps/idphoto.png"
done

desktop-file-validate "$prefix/share/applications/cn.licheng.idphoto.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/cn.licheng.idphoto.metainfo.xml" >/dev/null \
  || fail "metainfo: $(appstreamcli validate --no-net "$prefix/share/metainfo/cn.licheng.idphoto.metainfo.xml")"
grep -qx 'Exec=idphoto %f' "$prefix/share/applications/cn.licheng.idphoto.desktop" || fail "Exec line"
grep -qx 'Icon=idphoto' "$prefix/share/applications/cn.licheng.idphoto.desktop" || fail "Icon line"

# The installed program runs from the prefix, with no display and no build folder path.
version="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/idphoto" --version)" \
  || fail "idphoto --version"
[ "$version" = "idphoto $(grep -oP '(?<=<release version=")[^"]+' \
  "$prefix/share/metainfo/cn.licheng.idphoto.metainfo.xml")" ] || fail "version: $version"
if strings "$prefix/bin/idphoto" | grep -qF "$build"; then fail "the build folder's path is in the program"; fi
# The unattended batch from the installed path: the portraits framed, the
# landscape and the small face listed (exit status 2).
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/idphoto" --batch "$portraits" "$prefix/out" \
  --size 160x210 --naming sequence 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "idphoto --batch gave exit status $status"
[ -f "$prefix/out/未能取景的照片.txt" ] || fail "no list of the photos that need a person"
ls "$prefix/out"/0*.jpg >/dev/null 2>&1 || fail "no framed photo"
echo "installed tree checked: $prefix"
