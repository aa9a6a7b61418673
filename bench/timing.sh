# Shared by compare_lzw.sh and compare_envelope.sh (sourced, not run):
# whole-process timings taken in turns, so that a change in the machine's
# load falls on both sides alike, and their medians.

# The benchmarks' inputs in folder $1: recharge.txt, the recharge text of
# 10,000 holders (2.7 MB) that the in-process benchmarks use, and
# random.bin, 3 MiB of random bytes.
make_inputs() {
    local here
    here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
    g++ -std=c++20 -O2 -o "$1/write_recharge_text" \
        "$here/recharge_text.cpp" "$here/tools/write_recharge_text.cpp"
    "$1/write_recharge_text" "$1/recharge.txt"
    head -c $((3 * 1024 * 1024)) /dev/urandom > "$1/random.bin"
}

# Runs the command once, output to /dev/null, and appends its wall time
# in microseconds to the array named $1 (the shell's own clock: no process
# is started to read it).
time_once() {
    local -n into=$1
    shift
    local t0=${EPOCHREALTIME/[.,]/} t1
    "$@" > /dev/null
    t1=${EPOCHREALTIME/[.,]/}
    into+=($((t1 - t0)))
}

# The median of the numbers on standard input.
median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# alternate RUNS NAME_A "CMD A" NAME_B "CMD B": runs A and B in turns RUNS
# times each (after one untimed round) and sets MEDIAN_A and MEDIAN_B in
# microseconds. The commands are strings for eval.
alternate() {
    local runs=$1 a=$3 b=$5 i
    local ta=() tb=()
    eval "$a" > /dev/null
    eval "$b" > /dev/null
    for ((i = 0; i < runs; i++)); do
        time_once ta eval "$a"
        time_once tb eval "$b"
    done
    MEDIAN_A=$(printf '%s\n' "${ta[@]}" | median)
    MEDIAN_B=$(printf '%s\n' "${tb[@]}" | median)
}

# ms MICROSECONDS; ratio OTHER OURS (above 1: ours is faster)
ms() { awk -v t="$1" 'BEGIN { printf "%.2f", t / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
