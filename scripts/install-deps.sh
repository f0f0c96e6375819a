#!/bin/sh
# Installs with apt-get what building, testing and running KelCtrls needs,
# and does nothing when everything is there already.
set -eu

packages="cmake g++ make pkg-config ccache clang-format libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev libxtst-dev
libgtest-dev xvfb xauth clang libclang-rt-14-dev shared-mime-info xdg-utils libstrophe-dev prosody"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
echo "installing:$missing"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
