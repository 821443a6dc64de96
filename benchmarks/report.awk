# Turns the measurements of scripts/bench.sh into the Markdown tables of the report.
# Input lines: ROUND VARIANT WALL_US CPU_US MAXRSS_KIB EXIT_CODE MINOR_FAULTS, and for the
# direct class-path measurement (VARIANT expand-SIZE) WALL_US is the program's own timing of the
# class-path work in a fresh process, followed by ENTRIES, OPTION_BYTES and the time of the same
# work once its memory is already touched (WARM_US).
# Variables: jars (the large class-path folder), small (the smaller one, for linearity).
# Written for any POSIX awk (Debian's default is mawk, which has no asort).

function median(list, n,    i, j, v, a) {
  # list holds n numbers separated by blanks
  n = split(list, a, " ")
  for (i = 2; i <= n; i++) {
    v = a[i] + 0
    for (j = i - 1; j >= 1 && a[j] + 0 > v; j--) a[j + 1] = a[j]
    a[j + 1] = v
  }
  if (n == 0) return 0
  if (n % 2) return a[(n + 1) / 2] + 0
  return (a[n / 2] + a[n / 2 + 1]) / 2
}

function add(key, value) {
  values[key] = (key in values) ? values[key] " " value : value
}

function ms(us) { return sprintf("%.1f", us / 1000) }
function mib(kib) { return sprintf("%.1f", kib / 1024) }

# Median of the per-round differences between two variants: pairs taken in the same round share
# whatever else the machine was doing at that moment.
function paired(a, b, field,    r, list) {
  list = ""
  for (r = 1; r <= maxRound; r++) {
    if ((r SUBSEP a SUBSEP field) in byRound && (r SUBSEP b SUBSEP field) in byRound)
      list = list " " (byRound[r, a, field] - byRound[r, b, field])
  }
  return median(list)
}

function cpRow(text, prefix) {
  printf "| %s | %s | %s | %s | %s |\n", text, \
    ms(median(values[prefix "-launcher" SUBSEP "wall"])), ms(median(values[prefix "-launcher" SUBSEP "cpu"])), \
    ms(median(values[prefix "-java" SUBSEP "wall"])), ms(median(values[prefix "-java" SUBSEP "cpu"]))
}

function verdict(ok) { return ok ? "met" : "**not met**" }

{
  round = $1; variant = $2
  add(variant SUBSEP "wall", $3); add(variant SUBSEP "cpu", $4); add(variant SUBSEP "rss", $5)
  byRound[round, variant, "wall"] = $3
  byRound[round, variant, "cpu"] = $4
  byRound[round, variant, "rss"] = $5
  add(variant SUBSEP "faults", $7)
  if (variant ~ /^expand-/) { entries[variant] = $8; bytes[variant] = $9; add(variant SUBSEP "warm", $10) }
  if (variant == "search") { add("settings" SUBSEP "wall", $8); chosen = $9 }
  if (round + 0 > maxRound) maxRound = round + 0
  count[variant]++
}

END {
  split("launcher java host host-lh", ways, " ")
  label["launcher"] = "launcher (renamed, settings file, `JRE Path` pinned)"
  label["java"] = "`java -cp`"
  label["host"] = "minimal JNI host (`benchmarks/minimal_jni_host.c`)"
  label["host-lh"] = "reference: minimal host + LauncherHelper main-class lookup"
  print "| Way of starting | Median wall time (ms) | Median CPU time, user+sys (ms) | Median peak RSS (MiB) | Runs |"
  print "|---|---:|---:|---:|---:|"
  for (i = 1; i <= 4; i++) {
    w = ways[i]
    wall[w] = median(values[w SUBSEP "wall"])
    cpu[w] = median(values[w SUBSEP "cpu"])
    rss[w] = median(values[w SUBSEP "rss"])
    printf "| %s | %s | %s | %s | %d |\n", label[w], ms(wall[w]), ms(cpu[w]), mib(rss[w]), count[w]
  }
  print ""
  hostWallRatio = wall["launcher"] / wall["host"]
  javaWallRatio = wall["launcher"] / wall["java"]
  hostRssDelta = (rss["launcher"] - rss["host"]) / 1024
  javaRssDelta = (rss["launcher"] - rss["java"]) / 1024
  print "| Ratio | Wall time | CPU time | Peak RSS (difference) | Goal |"
  print "|---|---:|---:|---:|---|"
  printf "| launcher / minimal host | %.3f | %.3f | %+.2f MiB | wall <= 1.03: %s; RSS within 1 MiB: %s |\n", \
    hostWallRatio, cpu["launcher"] / cpu["host"], hostRssDelta, \
    verdict(hostWallRatio <= 1.03), verdict(hostRssDelta <= 1)
  printf "| launcher / minimal host + LauncherHelper | %.3f | %.3f | %+.2f MiB | (reference) |\n", \
    wall["launcher"] / wall["host-lh"], cpu["launcher"] / cpu["host-lh"], (rss["launcher"] - rss["host-lh"]) / 1024
  printf "| launcher / `java` | %.3f | %.3f | %+.2f MiB | wall <= 1.00: %s |\n", \
    javaWallRatio, cpu["launcher"] / cpu["java"], javaRssDelta, verdict(javaWallRatio <= 1)
  printf "\nPaired per-round medians: launcher - minimal host %+.1f ms wall, %+.1f ms CPU; " \
    "launcher - (host + LauncherHelper) %+.1f ms wall, %+.1f ms CPU; launcher - java %+.1f ms wall, %+.1f ms CPU.\n", \
    paired("launcher", "host", "wall") / 1000, paired("launcher", "host", "cpu") / 1000, \
    paired("launcher", "host-lh", "wall") / 1000, paired("launcher", "host-lh", "cpu") / 1000, \
    paired("launcher", "java", "wall") / 1000, paired("launcher", "java", "cpu") / 1000

  if (("prevm-launcher") in count) {
    print ""
    print "Before the VM: the launcher and the minimal host started on a stub VM library that ends the " \
      "process when the VM is asked for (`benchmarks/stub_jvm.c`), so that each run is all the work " \
      "done before `JNI_CreateJavaVM`, process start included; `JRE Path` pinned to the stub runtime."
    print ""
    print "| Before the VM | Median wall time (ms) | Median CPU time (ms) | Median minor page faults |"
    print "|---|---:|---:|---:|"
    printf "| launcher | %.2f | %.2f | %d |\n", median(values["prevm-launcher" SUBSEP "wall"]) / 1000, \
      median(values["prevm-launcher" SUBSEP "cpu"]) / 1000, median(values["prevm-launcher" SUBSEP "faults"])
    printf "| minimal host | %.2f | %.2f | %d |\n", median(values["prevm-host" SUBSEP "wall"]) / 1000, \
      median(values["prevm-host" SUBSEP "cpu"]) / 1000, median(values["prevm-host" SUBSEP "faults"])
    prevm = paired("prevm-launcher", "prevm-host", "wall") / 1000
    printf "| launcher - minimal host (paired median) | %+.2f | %+.2f | | goal <= 0.30 ms wall: %s |\n", \
      prevm, paired("prevm-launcher", "prevm-host", "cpu") / 1000, verdict(prevm <= 0.3)
  }
  if (("search") in count) {
    printf "\nWith nothing pinned, reading the settings takes %.3f ms and the runtime search over this " \
      "machine's runtime folders %.3f ms (medians, fresh process, timed inside the launcher's code by " \
      "`benchmarks/runtime_search_timing.cpp`); it chose %s.\n", \
      median(values["settings" SUBSEP "wall"]) / 1000, median(values["search" SUBSEP "wall"]) / 1000, chosen
  }

  if (!(("cp1-launcher") in count)) exit
  print ""
  print "| Class path | Launcher: wall (ms) | Launcher: CPU (ms) | `java`, same entries listed: wall (ms) | `java`: CPU (ms) |"
  print "|---|---:|---:|---:|---:|"
  cpRow("`\\lib\\hello.jar;\\jars\\*.jar`, 1 jar in jars/", "cp1")
  cpRow(sprintf("the same, %d jars", small), "cpS")
  cpRow(sprintf("the same, %d jars", jars), "cpN")
  for (f = 1; f <= 2; f++) {
    field = f == 1 ? "wall" : "cpu"
    dLS[field] = paired("cpS-launcher", "cp1-launcher", field) / 1000
    dLN[field] = paired("cpN-launcher", "cp1-launcher", field) / 1000
    dJS[field] = paired("cpS-java", "cp1-java", field) / 1000
    dJN[field] = paired("cpN-java", "cp1-java", field) / 1000
  }
  printf "| cost of %d jars over 1 (paired median) | %+.1f | %+.1f | %+.1f | %+.1f |\n", small, \
    dLS["wall"], dLS["cpu"], dJS["wall"], dJS["cpu"]
  printf "| cost of %d jars over 1 (paired median) | %+.1f | %+.1f | %+.1f | %+.1f |\n", jars, \
    dLN["wall"], dLN["cpu"], dJN["wall"], dJN["cpu"]
  printf "\nThe launcher's own share (finding the files, building and converting the option): its cost " \
    "minus the cost the VM has with the same list given to `java`. %d jars: %+.1f ms wall, %+.1f ms CPU; " \
    "%d jars: %+.1f ms wall, %+.1f ms CPU.\n", small, dLS["wall"] - dJS["wall"], dLS["cpu"] - dJS["cpu"], \
    jars, dLN["wall"] - dJN["wall"], dLN["cpu"] - dJN["cpu"]

  if (!(("expand-" jars) in count)) exit
  print ""
  print "The launcher's class-path work measured directly (`benchmarks/class_path_expansion.cpp`, the core " \
    "library's `BuildClassPath`, the option's environment expansion and narrow conversion, in a fresh process):"
  print ""
  print "| Jars in jars/ | Class-path entries | Option length (bytes) | Median time, fresh process (ms) | Median time, memory already touched (ms) | Median minor page faults of the process |"
  print "|---:|---:|---:|---:|---:|---:|"
  split("1 " small " " jars, sizes, " ")
  for (i = 1; i <= 3; i++) {
    v = "expand-" sizes[i]
    printf "| %d | %d | %d | %.2f | %.2f | %d |\n", sizes[i], entries[v], bytes[v], \
      median(values[v SUBSEP "wall"]) / 1000, median(values[v SUBSEP "warm"]) / 1000, \
      median(values[v SUBSEP "faults"])
  }
}
