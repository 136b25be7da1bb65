#!/usr/bin/env bash
# The Debian package as a user meets it: made from out/, checked with lintian (an error fails),
# desktop-file-validate and appstreamcli, installed with apt-get, used by a normal user through
# its menu entry (tests/desktop/desktop_e2e.sh --installed: the real xterm and JDK, a folder
# stored and found again after a restart, a build and its clean-up), then purged, leaving
# nothing of it under /usr. Installs into this machine: meant for CI and test machines.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/apt.sh
began=$(date +%s)
install_missing lintian desktop-file-utils appstream man-db locales
deb="$(scripts/package.sh)"
echo "package: $deb"
dpkg-deb -c "$deb"

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
echo "lintian:"
lintian_failed=0
lintian --fail-on error --tag-display-limit 0 "$deb" >"$unpacked.lintian" 2>&1 || lintian_failed=1
grep -v 'running with root privileges' "$unpacked.lintian" || true
rm -f "$unpacked.lintian"
((lintian_failed == 0)) || { echo "FAIL: lintian found errors"; exit 1; }
echo "lintian: no errors"
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/tarneljava.desktop"
appstreamcli validate --pedantic --no-net "$unpacked"/usr/share/metainfo/*.xml
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$unpacked/usr/share/man/zh_CN/man1/tarneljava.1.gz" 2>&1 >/dev/null |
    grep -iE 'warning|error' && {
    echo "FAIL: the Chinese manual page has errors"
    exit 1
}

apt_get install -y -qq "$deb" >/dev/null
echo "installed: $(dpkg-query -W -f='${Package} ${Version}' tarneljava)"
# The applet viewer's launcher finds the viewer in the package's shared data folder.
viewer_said="$(/usr/lib/tarneljava/applet-viewer/appletviewer /nonexistent.html 2>&1 || true)"
[[ "$viewer_said" == *"无法读取页面"* ]] || { echo "FAIL: applet viewer: $viewer_said"; exit 1; }
# The javac launcher finds the warm compiler there too (three folders up from its own).
[[ -f /usr/lib/tarneljava/jdk-launchers/../../../share/tarneljava/tarneljava-javacserver.jar ]] ||
    { echo "FAIL: the warm compiler is not where the javac launcher looks"; exit 1; }
user=tarneljava-check
id "$user" >/dev/null 2>&1 || as_root useradd -m -s /bin/bash "$user"
# Found in Chinese: a user in a zh_CN.UTF-8 locale (one of the check's own) is shown the Chinese
# name and summary by appstreamcli, and finds the program by a Chinese keyword.
locales="$(mktemp -d)"
localedef -c -i zh_CN -f UTF-8 "$locales/zh_CN.UTF-8" >/dev/null 2>&1 || true
chmod -R a+rX "$locales"
in_chinese() { as_root su "$user" -s /bin/bash -c "cd /tmp && LOCPATH='$locales' LC_ALL=zh_CN.UTF-8 $1"; }
# The user's own search cache, made anew now that the package is installed (one from an earlier
# check, or made while the system's was being refreshed, would answer without it).
as_root appstreamcli refresh-cache --force >/dev/null 2>&1 || true
as_root rm -rf "$(getent passwd "$user" | cut -d: -f6)/.cache/appstream"
in_chinese "appstreamcli refresh-cache --force" >/dev/null 2>&1 || true
details="$(in_chinese "appstreamcli get org.example.tarneljava" 2>&1)"
[[ "$details" == *"TarnelJava编译器"* && "$details" == *"一键编译并运行单文件 Java 程序"* ]] ||
    { echo "FAIL: appstreamcli in zh_CN: $details"; exit 1; }
in_chinese "appstreamcli search 初学者" 2>&1 | grep -q "org.example.tarneljava" ||
    { echo "FAIL: appstreamcli search 初学者 does not find the program"; exit 1; }
rm -rf "$locales"
echo "appstream: found in Chinese"
tests="$(mktemp -d)"
cp tests/desktop/desktop_e2e.sh tests/desktop/x11_session.sh "$tests/"
chmod -R a+rX "$tests"
as_root su "$user" -s /bin/bash -c "cd /tmp && bash '$tests/desktop_e2e.sh' --installed"
rm -rf "$tests"

apt_get purge -y -qq tarneljava >/dev/null
left=()
while read -r path; do
    if [[ -e "$path" || -L "$path" ]]; then left+=("$path"); fi
done < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|')
for folder in /usr/lib/tarneljava /usr/share/doc/tarneljava; do
    if [[ -e "$folder" ]]; then left+=("$folder"); fi
done
((${#left[@]} == 0)) || { echo "FAIL: left after the purge: ${left[*]}"; exit 1; }
echo "purged: nothing of the package is left under /usr"
echo "package check: passed in $(( $(date +%s) - began )) s"
