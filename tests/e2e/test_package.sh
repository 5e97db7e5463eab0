#!/usr/bin/env bash
# test_package.sh: the Debian package: its control data and files, and the unpacked
# launcher started from an unrelated folder shows the menu with its pictures.
. "$(dirname "$0")/lib.sh"
build=$(dirname "$E2E_BIN")
(cd "$build" && cpack -G DEB -B "$E2E_TMP/pkg" >"$E2E_TMP/cpack.log" 2>&1) || { cat "$E2E_TMP/cpack.log"; fail "cpack"; finish; }
deb=$(ls "$E2E_TMP"/pkg/fendwall_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] && pass "package built: $(basename "$deb")" || { fail "no .deb"; finish; }

info=$(dpkg-deb -I "$deb")
depends=$(printf '%s\n' "$info" | sed -n 's/^ Depends: //p')
for dep in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfreetype6 libfontconfig1 libglu1-mesa fonts-liberation2; do
    case "$depends" in *"$dep"*) pass "depends on $dep" ;; *) fail "no dependency on $dep: $depends" ;; esac
done
case "$depends" in *libgl1*|*libopengl0*) pass "depends on GL" ;; *) fail "no GL dependency: $depends" ;; esac
printf '%s\n' "$info" | grep -q '^ Package: fendwall$' && pass "package name" || fail "package name"

files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in ./usr/bin/fendwall ./usr/libexec/fendwall/fendwall ./usr/share/applications/fendwall.desktop \
         ./usr/share/icons/hicolor/48x48/apps/fendwall.png ./usr/share/icons/hicolor/256x256/apps/fendwall.png \
         ./usr/share/fendwall/data/fend.dat ./usr/share/fendwall/data/sound/0 \
         ./usr/share/fendwall/data/texturen/menu_new.bmp ./usr/share/fendwall/data/texturen/logo.tga; do
    printf '%s\n' "$files" | grep -qx "$f" && pass "contains $f" || fail "missing $f"
done

# Unpacked somewhere else entirely, started from an unrelated folder.
dpkg-deb -x "$deb" "$E2E_TMP/root"
mkdir -p "$E2E_TMP/elsewhere"
start_xvfb
start_game "$E2E_TMP/elsewhere" "$E2E_TMP/root/usr/bin/fendwall" || finish
key Escape
wait_for_menu 4 && pass "unpacked launcher shows the menu with its pictures" || fail "no textured menu"
close_window
wait_exit 5
[ "$STATUS" = 1 ] && pass "closes with status 1" || fail "status $STATUS"
finish
