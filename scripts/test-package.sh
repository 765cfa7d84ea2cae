#!/usr/bin/env bash
# Makes the Debian package and installs it with apt-get in a brand-new Debian
# 12 root (debootstrap --variant=minbase) that has never seen a -dev package,
# then runs framewright-cli there: its version, a small run, the man page and
# the completions in their places. Needs root and the Debian archive.
# The pristine root is kept in $FW_PACKAGE_ROOT (default
# /var/tmp/framewright-package-root) and copied for each check.
# Usage: scripts/test-package.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
PRISTINE=${FW_PACKAGE_ROOT:-/var/tmp/framewright-package-root}
ROOT=$PRISTINE.check

cmake --build "$BUILD"
[ -f "$BUILD/samples/.complete" ] || ./scripts/make-samples.sh "$BUILD/samples"
(cd "$BUILD" && cpack -G DEB >/dev/null)
PACKAGE=$(ls "$BUILD"/framewright_*_amd64.deb)
echo "package: $PACKAGE"
dpkg-deb --field "$PACKAGE" Depends | tr ',' '\n' | sed 's/^ *//' | sort >"$BUILD/package-depends"
if grep -- '-dev\b' "$BUILD/package-depends"; then
    echo "the package depends on development packages" >&2
    exit 1
fi

command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
if [ ! -x "$PRISTINE/bin/bash" ]; then
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    debootstrap --variant=minbase bookworm "$PRISTINE" ${mirror:+"$mirror"} >"$PRISTINE.log" 2>&1 ||
        { tail -n 20 "$PRISTINE.log" >&2; exit 1; }
    cp /etc/apt/sources.list "$PRISTINE/etc/apt/" 2>/dev/null || true
    cp -r /etc/apt/sources.list.d "$PRISTINE/etc/apt/" 2>/dev/null || true
    rm -f "$PRISTINE"/etc/apt/sources.list.d/*disabled*
    cp /etc/resolv.conf "$PRISTINE/etc/"
fi

rm -rf "$ROOT"
cp -a "$PRISTINE" "$ROOT"
for d in proc sys dev; do mount --bind "/$d" "$ROOT/$d"; done
trap 'for d in dev sys proc; do umount -l "$ROOT/$d" 2>/dev/null || true; done; rm -rf "$ROOT"' EXIT
cp "$PACKAGE" "$ROOT/tmp/"
mkdir -p "$ROOT/tmp/photos"
cp "$BUILD"/samples/*.jpg "$ROOT/tmp/photos/"

chroot "$ROOT" /bin/bash -euo pipefail -c '
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq /tmp/framewright_*_amd64.deb >/dev/null
    framewright-cli --version
    framewright-cli --quiet --long-edge 200 --rotate auto --format webp --log /tmp/run.csv \
        -o /tmp/out /tmp/photos
    echo "outputs: $(ls /tmp/out | wc -l) of $(ls /tmp/photos | wc -l) photos"
    for file in /usr/bin/framewright /usr/share/man/man1/framewright-cli.1.gz \
        /usr/share/man/man1/framewright.1.gz /usr/share/bash-completion/completions/framewright-cli \
        /usr/share/zsh/vendor-completions/_framewright-cli \
        /usr/share/applications/org.framewright.Framewright.desktop; do
        [ -e "$file" ] || { echo "not installed: $file" >&2; exit 1; }
    done
    if ldd /usr/bin/framewright /usr/bin/framewright-cli | grep "not found"; then exit 1; fi
    ls /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so >/dev/null
    if dpkg -l | grep -q -- "-dev "; then echo "a -dev package came in" >&2; exit 1; fi
'
echo "the package installs and runs on a fresh root"
