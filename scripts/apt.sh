# Sourced by the install scripts: apt-get as root (through sudo when not root), waiting up to
# ten minutes for the package lock that another apt-get (a boot-time update) may hold.
as_root() {
    if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}
apt_get() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}
# Installs those of the packages that are not installed yet.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}" >&2
    apt_get update -qq >&2
    apt_get install -y -qq "${missing[@]}" >/dev/null
}
