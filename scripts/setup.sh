#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and be tested, and only those
# that are missing, so that a machine that has everything is not touched. The lists live in
# packaging/deps/ (build, runtime, test); name further lists to add them, e.g.
#   ./scripts/setup.sh package     # also what building the .deb needs
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

packages=()
for list in build runtime test "$@"; do
  file="$root/packaging/deps/$list.txt"
  [ -f "$file" ] || { echo "setup.sh: no package list $file" >&2; exit 2; }
  while read -r p _; do
    case "$p" in ''|'#'*) continue ;; esac
    packages+=("$p")
  done < "$file"
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
