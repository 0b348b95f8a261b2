#!/usr/bin/env bash
# A throwaway Wine prefix for the Windows tests.
#   prefix.sh create DIR   makes DIR a fresh prefix, its wineserver stopped again; its fonts
#                          folder holds the faces Wine gives Windows programs, for Qt's
#                          offscreen platform, which reads that folder alone
#   prefix.sh remove DIR   stops DIR's wineserver and every program in it, then deletes DIR
set -euo pipefail
export WINEPREFIX=$2
case $1 in
create)
    rm -rf "$WINEPREFIX"
    bash "$(dirname "$0")/wine.sh" wineboot --init
    wineserver --wait
    # Wine's own stand-ins for the Windows faces, and the Linux faces Wine adds to them:
    # Liberation 2, in liberation2 on Debian 12 and in liberation since Debian 13 dropped 1.x.
    liberation=/usr/share/fonts/truetype/liberation2
    [ -d "$liberation" ] || liberation=/usr/share/fonts/truetype/liberation
    ln -s /usr/share/wine/fonts/*.ttf "$liberation"/*.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/"
    ;;
remove)
    [ ! -d "$WINEPREFIX" ] || wineserver --kill || true
    rm -rf "$WINEPREFIX"
    ;;
*)
    echo "usage: $0 create|remove DIR" >&2
    exit 2
    ;;
esac
