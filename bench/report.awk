# Turns the JSON that velmora_bench writes (--benchmark_out_format=json,
# with repetitions and aggregates) into the performance report: a table of
# the median times in milliseconds, sizes across, with the growth from
# 1,000 to 10,000 shares and the page faults per call at 10,000 (where the
# benchmark counts them); the same table of the fastest repetitions; and one
# PASS or FAIL line per target. Exits 1 when a target fails or could not be
# measured. Used by scripts/bench.
#
# A target is judged on the fastest repetition of each side: on a shared
# machine other work only ever adds time, and how much it adds changes from
# minute to minute, so the fastest repetition is the one that shows what the
# code costs. The testparm target is judged on medians, as it is defined;
# each line shows the other statistic's ratio too.
BEGIN {
    nops = split("Floor Init InitUnreleased CLIGetSambaShares EnumInstanceNames EnumInstances GetInstance " \
                 "CreateShare ModifyShare DeleteShare HostAlone Testparm", ops, " ")
    nsizes = split("10 100 1000 10000", sizes, " ")
    # Timed by the wall clock (testparm: its own CPU time, which Google
    # Benchmark reports as the real time of a manually timed benchmark);
    # everything else by this process's CPU time.
    split("CreateShare ModifyShare DeleteShare Testparm", names, " ")
    for (n in names)
        byRealTime[names[n]] = 1
    failed = 0
}

# Google Benchmark writes one field per line, in a fixed order within each
# result: run_name, ..., aggregate_name, ..., real_time, cpu_time, time_unit,
# then the counters.
/"run_name":/ { run = value($0) }
/"aggregate_name":/ { aggregate = value($0) }
/"real_time":/ { realTime = value($0) }
/"cpu_time":/ { cpuTime = value($0) }
/"time_unit":/ {
    if (aggregate == "median" || aggregate == "min") {
        split(run, part, "/")
        op = part[1]
        sub(/^BM_/, "", op)
        size = part[2]
        ms = milliseconds(op in byRealTime ? realTime : cpuTime, value($0))
        if (aggregate == "median")
            t[op, size] = ms
        else
            fast[op, size] = ms
    }
}
# The page faults per iteration come after the times, as a user counter.
/"faults":/ {
    if (aggregate == "median")
        faults[op, size] = value($0) + 0
}
/^ *}/ { aggregate = "" }

# The value of a '"key": value,' line, without quotes and comma.
function value(line) {
    sub(/^[^:]*: */, "", line)
    sub(/,$/, "", line)
    gsub(/"/, "", line)
    return line
}

function milliseconds(amount, unit) {
    if (unit == "ns") return amount / 1e6
    if (unit == "us") return amount / 1e3
    if (unit == "ms") return amount + 0
    return amount * 1e3
}

function shown(ms) {
    if (ms == "") return "n/a"
    if (ms < 0.1) return sprintf("%.4f", ms)
    if (ms < 10) return sprintf("%.3f", ms)
    return sprintf("%.1f", ms)
}

function label(size) {
    return size == 1000 ? "1,000" : size == 10000 ? "10,000" : size
}

# One table of times: m is t (medians) or fast (fastest repetitions).
function table(title, m,    o, s, growth) {
    printf "| operation (ms, %s) | timed by |", title
    for (s = 1; s <= nsizes; ++s)
        printf " %s |", label(sizes[s])
    printf " 10,000 / 1,000 | faults at 10,000 |\n|---|---|"
    for (s = 1; s <= nsizes; ++s)
        printf "---:|"
    printf "---:|---:|\n"
    for (o = 1; o <= nops; ++o) {
        printf "| %s | %s |", ops[o], ops[o] == "Testparm" ? "its CPU" : ops[o] in byRealTime ? "wall" : "CPU"
        for (s = 1; s <= nsizes; ++s)
            printf " %s |", shown(m[ops[o], sizes[s]])
        growth = "n/a"
        if (m[ops[o], 10000] != "" && m[ops[o], 1000] != "" && m[ops[o], 1000] > 0)
            growth = sprintf("%.1f", m[ops[o], 10000] / m[ops[o], 1000])
        printf " %s | %s |\n", growth, (ops[o], 10000) in faults ? sprintf("%.0f", faults[ops[o], 10000]) : "-"
    }
    print ""
}

# One target on operations a and b at sizes sa and sb: the ratio a / b must
# be at most limit (or at least, when atLeast), judged on the fastest
# repetitions, or on the medians when byMedian.
function target(text, a, sa, b, sb, limit, atLeast, byMedian,    judged, other, ok) {
    judged = ratio(byMedian ? t[a, sa] : fast[a, sa], byMedian ? t[b, sb] : fast[b, sb])
    other = ratio(byMedian ? fast[a, sa] : t[a, sa], byMedian ? fast[b, sb] : t[b, sb])
    if (judged == "") {
        printf "FAIL  %s: not measured\n", text
        failed = 1
        return
    }
    ok = atLeast ? judged >= limit : judged <= limit
    printf "%s  %s = %.1f on the %s (%s %s; %s %s)\n", ok ? "PASS" : "FAIL", text, judged,
           byMedian ? "medians" : "fastest repetitions", atLeast ? "at least" : "at most", limit,
           byMedian ? "fastest repetitions" : "medians", other == "" ? "n/a" : sprintf("%.1f", other)
    if (!ok)
        failed = 1
}

function ratio(a, b) {
    return a == "" || b == "" || b == 0 ? "" : a / b
}

END {
    table("median", t)
    table("fastest repetition", fast)
    target("enumInstances 10,000 / enumInstances 1,000", "EnumInstances", 10000, "EnumInstances", 1000, 15, 0, 0)
    target("enumInstances 10,000 / Init 10,000", "EnumInstances", 10000, "Init", 10000, 4, 0, 0)
    target("getInstance 10,000 / Init 10,000", "GetInstance", 10000, "Init", 10000, 3, 0, 0)
    target("Init 10,000 / floor 10,000", "Init", 10000, "Floor", 10000, 10, 0, 0)
    target("testparm -s 10,000 / enumInstances 10,000", "Testparm", 10000, "EnumInstances", 10000, 10, 1, 1)
    if (t["HostAlone", 10000] != "" && t["EnumInstances", 10000] != "")
        printf "note  the host making and taking 10,000 such instances without the provider (HostAlone): %s ms; enumInstances: %s ms (medians)\n",
               shown(t["HostAlone", 10000]), shown(t["EnumInstances", 10000])
    exit failed
}
