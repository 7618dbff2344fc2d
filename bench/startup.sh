#!/bin/sh
# Start-up time: from launching the program with no settings file to the
# first painted main window, under Xvfb. Prints each run and the median.
# Usage: bench/startup.sh [runs]   (default 5)
set -e
cd "$(dirname "$0")/.."
runs=${1:-5}
scripts/install-deps.sh
command -v Xvfb >/dev/null || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq xvfb xauth >/dev/null
}
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVAN_BUILD_TESTS=OFF \
  -DDORVAN_BUILD_BENCH=ON >/dev/null
cmake --build build/bench --target startup_probe | grep -E "error|FAILED" || true
probe=build/bench/bench/startup/startup_probe

work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
display=:$(( 90 + $$ % 100 ))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb

# One warm-up run so that every run finds the libraries in the page cache.
HOME=$work/warm XDG_CONFIG_HOME=$work/warm/config "$probe" >/dev/null 2>&1 || true

times=""
i=1
while [ "$i" -le "$runs" ]; do
  home=$work/run$i
  mkdir -p "$home"
  start=$(date +%s%N)
  end=$(cd "$home" && HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
        "$OLDPWD/$probe" 2>/dev/null | tail -n 1)
  ms=$(( (end - start) / 1000000 ))
  echo "run $i: ${ms} ms"
  times="$times $ms"
  i=$((i + 1))
done
median=$(printf '%s\n' $times | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "median start-up to first paint: ${median} ms (target: under 500 ms)"
