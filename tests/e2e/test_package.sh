#!/usr/bin/env bash
# test_package.sh: the Debian package as scripts/build-deb.sh makes it, the same bytes when built
# again: lintian finds nothing in it, its control data and files, its manual page, changelog,
# desktop entry and metainfo; unpacked and started elsewhere it shows the menu, icon and class.
. "$(dirname "$0")/lib.sh"
# Its own hardened build beside the tested one, kept so a rerun rebuilds only what changed.
if ! bash "$E2E_ROOT/scripts/build-deb.sh" "$(dirname "$E2E_BIN")/deb" >"$E2E_TMP/build.log" 2>&1; then
    tail -n 40 "$E2E_TMP/build.log"; fail "build-deb.sh"; finish
fi
deb=$(tail -n 1 "$E2E_TMP/build.log")
[ -f "$deb" ] && pass "package built: $(basename "$deb")" || { fail "no .deb"; finish; }
# Again from nothing, in a folder of another name, some seconds later: the same bytes.
again=$(bash "$E2E_ROOT/scripts/build-deb.sh" "$E2E_TMP/again" 2>&1 | tail -n 1)
cmp "$deb" "$again" && pass "built again in another folder: the same bytes" || { fail "not reproducible; files and sums:"
    diff <(dpkg-deb -c "$deb"; dpkg-deb -I "$deb" md5sums) <(dpkg-deb -c "$again"; dpkg-deb -I "$again" md5sums) | head -n 40; }

# The package is clean down to lintian's information level (where the hardening tags
# are), so any tag at all is new and gets looked at.
if lintian --display-info --fail-on error,warning,info "$deb" >"$E2E_TMP/lintian.log" 2>&1; then
    pass "lintian reports no tag"
else
    fail "lintian"; grep -v 'running with root privileges' "$E2E_TMP/lintian.log"
fi

info=$(dpkg-deb -I "$deb")
depends=$(printf '%s\n' "$info" | sed -n 's/^ Depends: //p')
for dep in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libfreetype6 libfontconfig1 libglu1-mesa fonts-liberation2 'libgl1\|libopengl0'; do
    check "depends on $dep" grep -q "$dep" <<<"$depends"
done
check "package name" grep -q '^ Package: fendwall$' <<<"$info"
version=$(dpkg-deb -f "$deb" Version)
files=$(dpkg-deb -c "$deb" | awk '{print $NF}')  # the desktop entry is named by the game's id
id=$(sed -n 's|^\./usr/share/applications/\(.*\)\.desktop$|\1|p' <<<"$files")
for f in ./usr/games/fendwall ./usr/libexec/fendwall/fendwall ./usr/share/applications/"$id".desktop \
         ./usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/fendwall.png \
         ./usr/share/games/fendwall/data/{fend.dat,sound/0,icons/fendwall-64.tga} ./usr/share/metainfo/"$id".metainfo.xml \
         ./usr/share/games/fendwall/data/texturen/{menu_new.bmp,logo.tga} ./usr/share/doc/fendwall/{copyright,changelog.gz} \
         ./usr/share/man/man6/fendwall.6.gz; do
    check "contains $f" grep -qx "$f" <<<"$files"
done

dpkg-deb -x "$deb" "$E2E_TMP/root"
doc="$E2E_TMP/root/usr/share/doc/fendwall"
zcat "$doc/changelog.gz" >"$E2E_TMP/changelog"
check "changelog's newest entry is version $version" \
    test "$(dpkg-parsechangelog -l "$E2E_TMP/changelog" -S Version 2>&1)" = "$version"
# groff -ww warns about more than lintian's own look at the page does.
man=$(zcat "$E2E_TMP/root/usr/share/man/man6/fendwall.6.gz" | LC_ALL=C.UTF-8 groff -t -ww -man -Tutf8 2>&1 >/dev/null)
[ -z "$man" ] && pass "manual page renders without a warning" || { fail "manual page warnings"; echo "$man"; }
check "manual page is that of version $version" \
    grep -q "^\.TH FENDWALL 6 .*\"Fendwall $version\"" <(zcat "$E2E_TMP/root/usr/share/man/man6/fendwall.6.gz")
entry=$(desktop-file-validate "$E2E_TMP/root/usr/share/applications/$id.desktop" 2>&1)
[ -z "$entry" ] && pass "desktop entry validates" || { fail "desktop entry"; echo "$entry"; }
check "desktop entry's window class is $id" grep -qx "StartupWMClass=$id" "$E2E_TMP/root/usr/share/applications/$id.desktop"
# Its one note, down to the pedantic level: the id's .invalid is no top-level domain it knows.
meta="$E2E_TMP/root/usr/share/metainfo/$id.metainfo.xml"
notes=$(appstreamcli validate --no-net --pedantic "$meta" 2>&1 | grep -E '^[EWIP]: ' | grep -v '^I: [^ ]*:4: cid-maybe-not-rdns ')
[ -z "$notes" ] && pass "metainfo validates" || { fail "metainfo"; echo "$notes"; }
check "metainfo names $id, its desktop entry and version $version" grep -qz "<id>$id</id>.*<launchable type=\"desktop-id\">$id.desktop</launchable>.*<release version=\"$version\"" "$meta"

# Unpacked somewhere else entirely, started from an unrelated folder.
mkdir -p "$E2E_TMP/elsewhere"
start_xvfb
start_game "$E2E_TMP/elsewhere" "$E2E_TMP/root/usr/games/fendwall" || finish
key Escape
check "unpacked launcher shows the menu with its pictures" wait_until 30 menu_shown
check "window's class is $id" test "$(xprop -id "$WINDOW" WM_CLASS)" = "WM_CLASS(STRING) = \"$id\", \"$id\""
# _NET_WM_ICON: width, height, then ARGB pixels, top row first: the theme's 64 x 64 icon.
icon=$(xprop -id "$WINDOW" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | sed 's/^[^=]*= //; s/ //g')
theme=$(convert "$E2E_TMP/root/usr/share/icons/hicolor/64x64/apps/fendwall.png" -depth 8 rgba:- | od -An -v -tu1 | awk '{ for (i = 1; i <= NF; i += 4)
    printf ",%.0f", $(i + 3) * 16777216 + $i * 65536 + $(i + 1) * 256 + $(i + 2) }')
check "window's icon is the game's, 64 x 64" test "$icon" = "64,64$theme"
close_and_expect_one "unpacked launcher"
finish
