#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and nothing that is already there.
# Idempotent: a second run only checks. Debian packages only.
set -euo pipefail

want_native=(cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev)
want_win32=(g++-mingw-w64-i686 wine wine32:i386 xvfb x11-utils xdotool imagemagick fonts-wqy-zenhei
            locales python3)

scope=${1:-all}
case "$scope" in
  native) want=("${want_native[@]}") ;;
  all) want=("${want_native[@]}" "${want_win32[@]}") ;;
  *) echo "usage: $0 [native|all]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${want[@]}"; do
  # dpkg-query knows "pkg:arch" as well as plain names.
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [[ "$scope" == all ]] && ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  # Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives code page 936 (GBK).
  echo "setup: generating the zh_CN.UTF-8 locale"
  "${sudo_cmd[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
