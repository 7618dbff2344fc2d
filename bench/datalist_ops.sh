#!/bin/sh
# Times the data-list commands on 1,000,000 paths in the real window
# (offscreen) and compares sort and duplicate removal with GNU sort and the
# save with cp, in the same run:
#   sort          SortDataList            vs  LC_ALL=C.UTF-8 sort -f
#   dedupe        DeleteSameData          vs  LC_ALL=C.UTF-8 sort -fu
#   extract       DoFilterDataList (*.txt, *.jpg, *.mp3 checked)
#   select all    SelectAllDataList
#   copy          ClipBoardCopyDataList
#   save          SaveFileListDataList    vs  cp of the same text file
#   paste         ClipBoardPaste of a 100 MB text (LF line breaks)
# Each command's time runs from its action to the repainted list. The
# medians of ROUNDS runs are printed, then the peak memory, then one line per
# pair: "sort-vs-gnu-sort: 0.85x" (time ours / time theirs).
#   BUILD_DIR   build folder (default: build/bench)
#   ROWS        number of paths (default: 1000000)
#   ROUNDS      runs per figure (default: 3)
#   WORK        folder for the data (default: /var/tmp; about 400 MB)
#   LOCALE      locale our commands collate in (default: the environment's;
#               ja_JP.UTF-8 as a Japanese user has it); GNU sort always
#               runs in C.UTF-8
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build/bench}
rows=${ROWS:-1000000}
rounds=${ROUNDS:-3}

if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" -DDORVAN_BUILD_BENCH=ON >/dev/null
else
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVAN_BUILD_BENCH=ON \
        -DDORVAN_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target bench_datalist_ops >/dev/null
driver="$build/bench/datalist/bench_datalist_ops"

scratch=$(mktemp -d "${WORK:-/var/tmp}/dorvan-datalist-XXXXXX")
trap 'rm -rf "$scratch"' EXIT INT TERM
mkdir -p "$scratch/home" "$scratch/config" "$scratch/work"

# Paths as a Japanese user collects them: photos, music, documents, with
# Japanese and ASCII names, mixed letter case, about 2% duplicates that
# differ only in case, in no particular order.
awk -v n="$rows" 'BEGIN {
    srand(7)
    split("/home/user /home/user/Documents /mnt/data /home/user/写真 /media/usb/音楽", top, " ")
    split("IMG img report Report 写真 音楽 アーティスト ドキュメント data Data backup 曲 資料 note Photo video", word, " ")
    split(".JPG .jpg .txt .m3u .pdf .mp3 .png .TXT .docx", ext, " ")
    for (i = 0; i < n; i++) {
        p = sprintf("%s/%s_%02d/%s_%04d/%s_%06d%s", top[int(rand() * 5) + 1],
                    word[int(rand() * 16) + 1], int(rand() * 100), word[int(rand() * 16) + 1],
                    int(rand() * 10000), word[int(rand() * 16) + 1], int(rand() * 1000000),
                    (rand() < 0.1 ? "" : ext[int(rand() * 9) + 1]))
        # Some paths come twice, the second time in other letter case.
        if (i > 0 && rand() < 0.02) p = (rand() < 0.5 ? toupper(seen[int(rand() * kept)]) : seen[int(rand() * kept)])
        else if (kept < 100000) seen[kept++] = p
        printf "%s\r\n", p
    }
}' > "$scratch/paths.txt"
tr -d '\r' < "$scratch/paths.txt" > "$scratch/paths.lf"
# The text to paste: 100,000,000 bytes of paths, as a text editor holds them.
awk 'BEGIN {
    srand(11)
    while (size < 100000000) {
        line = sprintf("/home/user/ドキュメント/プロジェクト_%03d/資料/2024年度/報告書_%07d_最終版.txt", int(rand() * 1000), int(rand() * 10000000))
        printf "%s\n", line
        size += length(line) + 1
    }
}' | head -c 100000000 > "$scratch/paste.txt"
echo "data: $rows paths, $(du -h "$scratch/paths.txt" | cut -f1); paste text: $(wc -c < "$scratch/paste.txt") bytes"

now() { date +%s%N; }
ms() { echo "$1 $2" | awk '{ printf "%.1f", ($2 - $1) / 1e6 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
run() {
    env ${LOCALE:+LANG=$LOCALE} ${LOCALE:+LC_ALL=} HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
        QT_QPA_PLATFORM=offscreen "$@"
}

: > "$scratch/ours"
: > "$scratch/theirs"
r=0
while [ "$r" -lt "$rounds" ]; do
    r=$((r + 1))
    run "$driver" ops "$scratch/paths.txt" "$scratch/work" >> "$scratch/ours"
    cmp -s "$scratch/paths.txt" "$scratch/work/saved.txt" || { echo "saved file differs" >&2; exit 1; }
    run "$driver" paste "$scratch/paste.txt" >> "$scratch/ours"

    t0=$(now); LC_ALL=C.UTF-8 sort -f "$scratch/paths.lf" > /dev/null; t1=$(now)
    echo "sort $(ms "$t0" "$t1")" >> "$scratch/theirs"
    t0=$(now); LC_ALL=C.UTF-8 sort -fu "$scratch/paths.lf" > /dev/null; t1=$(now)
    echo "dedupe $(ms "$t0" "$t1")" >> "$scratch/theirs"
    rm -f "$scratch/cp.txt"
    t0=$(now); cp "$scratch/paths.txt" "$scratch/cp.txt"; t1=$(now)
    echo "save $(ms "$t0" "$t1")" >> "$scratch/theirs"
    rm -f "$scratch/cp.txt"
    t0=$(now); cp "$scratch/paths.txt" "$scratch/cp.txt"; sync "$scratch/cp.txt"; t1=$(now)
    echo "save_durable $(ms "$t0" "$t1")" >> "$scratch/theirs"
done

ours() { grep "^$1 " "$scratch/ours" | cut -d' ' -f2 | median; }
theirs() { grep "^$1 " "$scratch/theirs" | cut -d' ' -f2 | median; }
peak() { grep "^peak_mb " "$scratch/ours" | cut -d' ' -f2 | sort -n | tail -1; }
ratio() { echo "$1 $2" | awk '{ printf "%.2fx", $1 / $2 }'; }

echo "--- medians of $rounds runs (ms); our collation: ${LOCALE:-${LC_ALL:-${LANG:-C}}}"
printf '%-34s %10s   under 2000, at most 1.0x\n' "sort ($(ours rows) rows)" "$(ours sort)"
printf '%-34s %10s\n' "  LC_ALL=C.UTF-8 sort -f" "$(theirs sort)"
printf '%-34s %10s   under 2000, at most 1.0x\n' "dedupe ($(ours dedupe_rows) rows left)" "$(ours dedupe)"
printf '%-34s %10s\n' "  LC_ALL=C.UTF-8 sort -fu" "$(theirs dedupe)"
printf '%-34s %10s   under 1000\n' "extract ($(ours extract_rows) rows left)" "$(ours extract)"
printf '%-34s %10s   under 500\n' "select all ($(ours select_all_rows) rows)" "$(ours select_all)"
printf '%-34s %10s\n' "copy to the clipboard" "$(ours copy)"
printf '%-34s %10s   under 1000, at most 1.2x cp\n' "save (written, synced, renamed)" "$(ours save)"
printf '%-34s %10s\n' "  cp" "$(theirs save)"
printf '%-34s %10s\n' "  cp, then sync of the file" "$(theirs save_durable)"
printf '%-34s %10s   under 2000\n' "paste 100 MB ($(ours paste_rows) rows)" "$(ours paste)"
most() { grep "^$1 " "$scratch/ours" | cut -d' ' -f2 | sort -n | tail -1; }
echo "peak memory (MB, target under 300) with $(ours rows) rows: $(most peak_after_sort) after sort," \
     "$(most peak_after_dedupe) after dedupe, $(most peak_before_copy) after extract, select all" \
     "and save, $(grep '^peak_mb ' "$scratch/ours" | awk 'NR % 2 == 1' | cut -d' ' -f2 | sort -n | tail -1)" \
     "once the clipboard also holds the copied list; pasting 100 MB: the clipboard's text and" \
     "the pasted rows $(grep '^peak_mb ' "$scratch/ours" | awk 'NR % 2 == 0' | cut -d' ' -f2 | sort -n | tail -1)" \
     "(putting the text on the clipboard first: $(most peak_setup))"
echo "sort-vs-gnu-sort: $(ratio "$(ours sort)" "$(theirs sort)")"
echo "dedupe-vs-gnu-sort-fu: $(ratio "$(ours dedupe)" "$(theirs dedupe)")"
echo "save-vs-cp: $(ratio "$(ours save)" "$(theirs save)")"
echo "save-vs-cp-sync: $(ratio "$(ours save)" "$(theirs save_durable)")"
