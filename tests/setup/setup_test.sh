#!/usr/bin/env bash
# setup's package decisions, against stand-in package commands first on PATH: nothing on the
# machine is asked or changed. The stand-ins keep the machine in $state: the packages not
# installed (absent), those that cannot be (refused), the foreign architectures, and every call.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export state=$work/state
mkdir -p "$work/bin" "$work/tree/scripts"
cp "$here/scripts/setup-system" "$work/tree/scripts/"
stand_in() { printf '#!/usr/bin/env bash\n%s\n' "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
stand_in apt-get 'echo "apt-get $*" >>"$state/calls"
if [ "$1" = update ]; then
  grep -qx i386 "$state/archs" || exit 0
  echo "E: Failed to fetch http://mirror/debian/dists/bookworm/main/binary-i386/Packages.xz  File has unexpected size (10 != 20). Mirror sync in progress?"
  exit 100
fi
for p in "$@"; do
  if grep -qx -- "$p" "$state/refused"; then
    echo " $p : Depends: libc6:i386 (>= 2.36) but 2.36-9 is to be installed"
    echo "E: Unable to correct problems, you have held broken packages."; exit 100
  fi
done
[ "$2" = -s ] || for p in "$@"; do sed -i "/^${p}\$/d" "$state/absent"; done'
stand_in dpkg-query 'if grep -qx -- "${!#}" "$state/absent"; then exit 1; fi; printf "install ok installed"'
stand_in dpkg 'echo "dpkg $*" >>"$state/calls"
case $1 in
  --print-foreign-architectures) cat "$state/archs" ;;
  --add-architecture) echo "$2" >>"$state/archs" ;;
  --remove-architecture) sed -i "/^$2\$/d" "$state/archs" ;;
esac'
stand_in kernel-runs-32-bit '[ -f "$state/kernel-runs-32-bit" ]'
stand_in locale 'echo ja_JP.utf8'
stand_in sudo '"$@"'

# case | the kernel runs 32-bit programs | absent | refused | setup's exit | what it must say
cases=(
  "an i386 list fails; the rest installs|yes|xvfb wine wine32:i386|wine32:i386|0|binary-i386/Packages.xz .*no 32-bit Wine: wine32:i386 cannot be installed \(Unable to correct problems.*use the 64-bit build"
  "no 32-bit Wine to be had|yes|wine32:i386|wine32:i386|0|no 32-bit Wine: wine32:i386 cannot be installed"
  "a required package cannot be installed|no|xvfb wine|xvfb|1|the required package xvfb cannot be installed .* xvfb : Depends:"
  "everything installed|no|wine32:i386||0|no 32-bit Wine: this kernel runs no 32-bit programs"
)
failed=0
for row in "${cases[@]}"; do
  IFS='|' read -r name kernel absent refused status says <<<"$row"
  rm -rf "$state" "$work/tree/build" && mkdir "$state" && touch "$state/archs" "$state/calls"
  tr ' ' '\n' <<<"$absent" >"$state/absent"
  tr ' ' '\n' <<<"$refused" >"$state/refused"
  [ "$kernel" = no ] || touch "$state/kernel-runs-32-bit"
  run() { PATH="$work/bin:$PATH" "$work/tree/scripts/setup-system" >"$work/out" 2>&1 && echo 0 || echo 1; }
  problems=()
  [ "$(run)" = "$status" ] || problems+=("setup's exit is not $status")
  tr '\n' ' ' <"$work/out" | grep -qE -- "$says" || problems+=("it does not say /$says/")
  [ ! -s "$state/archs" ] || problems+=("it leaves the architecture $(cat "$state/archs") added")
  if [ "$status" = 0 ]; then
    grep -vqx wine32:i386 "$state/absent" && problems+=("it leaves $(tr '\n' ' ' <"$state/absent")uninstalled")
    [ "$name" != "everything installed" ] || [ ! -s "$state/calls" ] ||
      problems+=("it calls a package command: $(head -1 "$state/calls")")
    : >"$state/calls" && run >/dev/null
    [ ! -s "$state/calls" ] || problems+=("run again, it calls a package command: $(head -1 "$state/calls")")
  fi
  if [ ${#problems[@]} -eq 0 ]; then echo "ok: $name"; else
    failed=$((failed + 1))
    (IFS=';' && echo "FAILED: $name: ${problems[*]}")
    sed 's/^/  | /' "$work/out"
  fi
done
echo "$((${#cases[@]} - failed)) passed, $failed failed"
[ "$failed" = 0 ]
