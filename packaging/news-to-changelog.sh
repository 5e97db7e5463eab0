#!/bin/sh
# news-to-changelog.sh NEWS MAINTAINER OUT: writes NEWS in Debian's changelog format.
# NEWS holds one section per release, newest first: a "VERSION (YYYY-MM-DD)" line, its
# underline, and "- " items continued on lines indented by two spaces. Each entry is
# signed with the release's date, not the build's, so the changelog never changes
# unless NEWS does.
set -eu
news=$1 maintainer=$2 out=$3
awk -v maintainer="$maintainer" '
function sign() { if (version != "") printf "\n -- %s  %s\n", maintainer, date }
function fatal(why) { printf "%s:%d: %s\n", FILENAME, FNR, why > "/dev/stderr"; bad = 1; exit 1 }
/^[0-9][0-9.]* \([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]\)$/ {
    sign()
    if (version != "") print ""
    version = $1
    day = substr($2, 2, 10)
    cmd = "LC_ALL=C date -u -R -d " day
    if ((cmd | getline date) <= 0 || close(cmd) != 0) fatal("bad date " day)
    printf "fendwall (%s) unstable; urgency=medium\n\n", version
    next
}
version == "" || /^-+$/ || /^$/ { next }
/^- / { print "  * " substr($0, 3); next }
/^  [^ ]/ { print "    " substr($0, 3); next }
{ fatal("neither an item nor its continuation") }
END {
    if (bad) exit 1
    if (version == "") { print FILENAME ": no release found" > "/dev/stderr"; exit 1 }
    sign()
}' "$news" >"$out.tmp" || { rm -f "$out.tmp"; exit 1; }
mv "$out.tmp" "$out"
