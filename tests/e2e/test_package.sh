#!/usr/bin/env bash
# test_package.sh: the Debian package: its control data and files, and the unpacked
# launcher started from an unrelated folder shows the menu with its pictures.
. "$(dirname "$0")/lib.sh"
if ! (cd "$(dirname "$E2E_BIN")" && cpack -G DEB -B "$E2E_TMP/pkg" >"$E2E_TMP/cpack.log" 2>&1); then
    cat "$E2E_TMP/cpack.log"; fail "cpack"; finish
fi
deb=$(ls "$E2E_TMP"/pkg/fendwall_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] && pass "package built: $(basename "$deb")" || { fail "no .deb"; finish; }

info=$(dpkg-deb -I "$deb")
depends=$(printf '%s\n' "$info" | sed -n 's/^ Depends: //p')
for dep in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfreetype6 libfontconfig1 libglu1-mesa fonts-liberation2 'libgl1\|libopengl0'; do
    check "depends on $dep" grep -q "$dep" <<<"$depends"
done
check "package name" grep -q '^ Package: fendwall$' <<<"$info"
files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in ./usr/bin/fendwall ./usr/libexec/fendwall/fendwall ./usr/share/applications/fendwall.desktop \
         ./usr/share/icons/hicolor/48x48/apps/fendwall.png ./usr/share/icons/hicolor/256x256/apps/fendwall.png \
         ./usr/share/fendwall/data/fend.dat ./usr/share/fendwall/data/sound/0 \
         ./usr/share/fendwall/data/texturen/menu_new.bmp ./usr/share/fendwall/data/texturen/logo.tga; do
    check "contains $f" grep -qx "$f" <<<"$files"
done

# Unpacked somewhere else entirely, started from an unrelated folder.
dpkg-deb -x "$deb" "$E2E_TMP/root"
mkdir -p "$E2E_TMP/elsewhere"
start_xvfb
start_game "$E2E_TMP/elsewhere" "$E2E_TMP/root/usr/bin/fendwall" || finish
key Escape
check "unpacked launcher shows the menu with its pictures" wait_for_menu 4
close_and_expect_one "unpacked launcher"
finish
