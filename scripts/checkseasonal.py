#!/usr/bin/env python3
"""Checks `tundrix-cli seasonal` against the regulation's method, evaluated here on its own.

For the condensing units of every refrigerant at the low and middle level, takes the printed
rating points (capacity and COP at A, B, C, D), computes SEPR over the 58 bins of the reference
climate with Cdc 0.25, the metric and the 2018 minimum (with the allowance for GWP below 150),
and compares them with what the program printed.

usage: scripts/checkseasonal.py [CLI] [--data DIR]   (CLI defaults to build/bin/tundrix-cli)
"""
import json
import subprocess
import sys

HOURS = [0.08, 0.41, 0.65, 1.05, 1.74, 2.98, 3.79, 5.69, 8.94, 11.81, 17.29, 20.02, 28.73,
         39.71, 56.61, 76.36, 106.07, 153.22, 203.41, 247.98, 282.01, 275.91, 300.61, 310.77,
         336.48, 350.48, 363.49, 368.91, 371.63, 377.32, 376.53, 386.42, 389.84, 384.45, 370.45,
         344.96, 328.02, 305.36, 261.87, 223.90, 196.31, 163.04, 141.78, 121.93, 104.46, 85.77,
         71.54, 56.57, 43.35, 31.02, 20.21, 11.85, 8.17, 3.83, 2.09, 1.21, 0.52, 0.40]
BINS = [(j - 19, h) for j, h in enumerate(HOURS)]
POINTS = [32.0, 25.0, 15.0, 5.0]

# (from, to, from included, to included, metric, 2018 minimum)
MINIMA = {
    "MT": [(0.2, 1, True, False, "COP", 1.40), (1, 5, True, True, "COP", 1.60),
           (5, 20, False, True, "SEPR", 2.55), (20, 50, False, True, "SEPR", 2.65)],
    "LT": [(0.1, 0.4, True, False, "COP", 0.80), (0.4, 2, True, False, "COP", 0.95),
           (2, 8, True, True, "SEPR", 1.60), (8, 20, False, True, "SEPR", 1.70)],
}


def declared(points, t, key):
    """Linear in t between the points, the values of A above 32 and of D below 5 degC."""
    if t >= POINTS[0]:
        return points[0][key]
    if t <= POINTS[3]:
        return points[3][key]
    for i in range(3):
        hi, lo = POINTS[i], POINTS[i + 1]
        if lo <= t <= hi:
            return points[i + 1][key] + (points[i][key] - points[i + 1][key]) * (t - lo) / (hi - lo)
    raise ValueError(t)


def sepr(application, points):
    low = 0.8 if application == "LT" else 0.6
    pa = points[0]["capacity"]
    demand = electricity = 0.0
    for t, h in BINS:
        pr = low + (1 - low) * (min(max(t, 5.0), 32.0) - 5.0) / 27.0
        pc = pa * pr
        dc = declared(points, t, "capacity")
        cop = declared(points, t, "cop")
        cr = min(pc / dc, 1.0)
        demand += h * pc
        electricity += h * pc / (cop * (1 - 0.25 * (1 - cr)))
    return demand / electricity


def requirement(application, pa, gwp):
    for lo, hi, lo_in, hi_in, metric, minimum in MINIMA[application]:
        if (pa >= lo if lo_in else pa > lo) and (pa <= hi if hi_in else pa < hi):
            return metric, minimum * (0.9 if gwp < 150 else 1.0)
    return None, None


def main():
    args = sys.argv[1:]
    cli = args.pop(0) if args and not args[0].startswith("--") else "build/bin/tundrix-cli"
    extra = args
    refrigerants = json.loads(subprocess.run([cli, *extra, "refrigerants"], check=True,
                                             capture_output=True, text=True).stdout)
    units = with_sepr = 0
    worst = 0.0
    worst_unit = ""
    faults = []
    for r in refrigerants:
        gwp = max(r.get("gwp_all") or [r["gwp"]])
        for level in (1, 2):
            out = subprocess.run([cli, *extra, "seasonal", "--refrigerant", r["caption"],
                                  "--brands", "1,2,3,4", "--level", str(level)],
                                 capture_output=True, text=True)
            if out.returncode != 0:
                faults.append(f"{r['caption']} level {level}: {out.stderr.strip()}")
                continue
            doc = json.loads(out.stdout)
            if doc.get("refrigerant") != r["index"]:
                faults.append(f"{r['caption']} level {level}: the figures name refrigerant "
                              f"{doc.get('refrigerant_caption')}")
                continue
            for row in doc["rows"]:
                units += 1
                app = row["application"]
                if app != ("LT" if level == 1 else "MT"):
                    faults.append(f"{row['name']}: application {app}")
                    continue
                pts = row["points"]
                complete = all(p["capacity"] is not None and p["cop"] is not None for p in pts)
                if not complete:
                    if row["sepr"] is not None:
                        faults.append(f"{row['name']}: SEPR printed without all four points")
                else:
                    with_sepr += 1
                    mine = sepr(app, pts)
                    dev = abs(row["sepr"] / mine - 1)
                    if dev >= worst:
                        worst, worst_unit = dev, f"{r['caption']} {row['name']}"
                    if dev > 0.002:
                        faults.append(f"{row['name']}: SEPR {row['sepr']} against {mine}")
                if pts[0]["capacity"] is None:
                    continue
                metric, minimum = requirement(app, pts[0]["capacity"], gwp)
                if row["metric"] != metric or (minimum is not None and
                                                abs(row["minimum"] - minimum) > 1e-9):
                    faults.append(f"{row['name']}: metric {row['metric']} {row['minimum']}, "
                                  f"expected {metric} {minimum}")
                    continue
                value = (row["sepr"] if metric == "SEPR" else pts[0]["cop"]) if metric else None
                passes = None if value is None else value >= minimum
                if row["passes"] != passes:
                    faults.append(f"{row['name']}: passes {row['passes']}, expected {passes}")
    print(f"units {units}, with SEPR {with_sepr}, largest SEPR deviation {worst * 100:.2e} % "
          f"({worst_unit}), faults {len(faults)}")
    for f in faults[:20]:
        print("  " + f)
    return 1 if faults or with_sepr == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
