#!/bin/sh
# Installs the build into a scratch prefix and checks that every file lands
# where desktops look for it.
set -eu
BUILD=$1
PREFIX=$(mktemp -d)
trap 'rm -rf "$PREFIX"' EXIT
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
for file in bin/framewright bin/framewright-cli \
    share/applications/org.framewright.Framewright.desktop \
    share/metainfo/org.framewright.Framewright.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.framewright.Framewright.svg \
    share/man/man1/framewright.1.gz share/man/man1/framewright-cli.1.gz \
    share/bash-completion/completions/framewright-cli \
    share/zsh/vendor-completions/_framewright-cli; do
    if [ ! -e "$PREFIX/$file" ]; then
        echo "not installed: $file" >&2
        exit 1
    fi
done
"$PREFIX/bin/framewright-cli" --version
# The man page renders without a warning, and the completions load.
if command -v groff >/dev/null; then
    warnings=$(gzip -dc "$PREFIX/share/man/man1/framewright-cli.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || { echo "$warnings" >&2; exit 1; }
fi
bash -c ". '$PREFIX/share/bash-completion/completions/framewright-cli' && complete -p framewright-cli" >/dev/null
if command -v zsh >/dev/null; then
    zsh -n "$PREFIX/share/zsh/vendor-completions/_framewright-cli"
fi
