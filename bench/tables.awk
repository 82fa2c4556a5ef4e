# Reads the median lines of bench/run-all.sh ("NAME TIME UNIT CPU UNIT ITERATIONS COUNTERS")
# and prints two Markdown tables computed from them:
#  - against peers: every benchmark BM_X_Norvel beside BM_X_<peer>, with the ratio of the
#    peer's time to ours;
#  - scaling: every benchmark BM_Scaling<NAME>/<SIZE> as a row of its sizes, with the
#    growth from the smallest size to the largest.

function ms(value, unit) {
    if (unit == "ns") return value / 1e6
    if (unit == "us") return value / 1e3
    if (unit == "s") return value * 1e3
    return value
}

function show(value, unit) {
    return value " " unit
}

function thousands(n,    s) {
    s = sprintf("%d", n)
    while (s ~ /[0-9][0-9][0-9][0-9]/)
        sub(/[0-9][0-9][0-9]($|,)/, ",&", s)
    sub(/^,/, "", s)
    return s
}

$2 ~ /^[0-9.]+$/ {
    split($1, part, "/")
    name = part[1]
    if (name ~ /^BM_Scaling/ && part[2] ~ /^[0-9]+$/) {
        row = substr(name, 11)
        size = part[2] + 0
        if (!(row in seenRow)) { seenRow[row] = 1; rows[++rowCount] = row }
        if (!(size in seenSize)) { seenSize[size] = 1; sizes[++sizeCount] = size }
        cell[row, size] = show($2, $3)
        time[row, size] = ms($2, $3)
    } else if (match(name, /_[A-Za-z]+$/)) {
        subject = substr(name, 1, RSTART - 1)
        who = substr(name, RSTART + 1)
        if (!(subject in seenSubject)) { seenSubject[subject] = 1; subjects[++subjectCount] = subject }
        peerTime[subject, who] = ms($2, $3)
        peerShown[subject, who] = show($2, $3)
        if (who != "Norvel") peerOf[subject] = who
    }
}

END {
    printed = 0
    for (i = 1; i <= subjectCount; i++) {
        s = subjects[i]
        p = peerOf[s]
        if (p == "" || !((s, "Norvel") in peerTime) || peerTime[s, "Norvel"] <= 0) continue
        if (!printed) {
            print "### Against peers"
            print ""
            print "| Benchmark | Norvel | Peer | Peer's time | Ratio |"
            print "|---|---|---|---|---|"
            printed = 1
        }
        printf "| %s | %s | %s | %s | %.2f× |\n", substr(s, 4), peerShown[s, "Norvel"], p,
            peerShown[s, p], peerTime[s, p] / peerTime[s, "Norvel"]
    }
    if (printed) print ""
    if (rowCount == 0) exit
    # Sizes in ascending order.
    for (i = 1; i <= sizeCount; i++)
        for (j = i + 1; j <= sizeCount; j++)
            if (sizes[j] < sizes[i]) { t = sizes[i]; sizes[i] = sizes[j]; sizes[j] = t }
    print "### Scaling"
    print ""
    header = "| Benchmark |"
    rule = "|---|"
    for (i = 1; i <= sizeCount; i++) { header = header " " thousands(sizes[i]) " |"; rule = rule "---|" }
    print header " Growth, " thousands(sizes[1]) " → " thousands(sizes[sizeCount]) " |"
    print rule "---|"
    for (r = 1; r <= rowCount; r++) {
        row = rows[r]
        line = "| " row " |"
        for (i = 1; i <= sizeCount; i++) line = line " " cell[row, sizes[i]] " |"
        first = time[row, sizes[1]]
        last = time[row, sizes[sizeCount]]
        growth = (first > 0 && last > 0) ? sprintf("%.1f×", last / first) : ""
        print line " " growth " |"
    }
    print ""
}
