#!/usr/bin/env python3
"""Turns the benchmark outputs that scripts/bench collects into one Markdown table.

Usage: bench_table.py OUTPUT_FOLDER. The folder holds colour.json and set_color_mode.json
(Google Benchmark JSON), config-host.txt and config-windows.txt (config_reader_bench lines),
modes.txt (seconds of `varnet modes` over the large file) and machine.txt.
"""
import json
import os
import sys


def load_benchmarks(path):
    with open(path) as f:
        data = json.load(f)
    out = {}
    for b in data["benchmarks"]:
        if b.get("run_type", "iteration") != "iteration":
            continue
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b["time_unit"]]
        out[b["name"]] = dict(b, us=b["cpu_time"] * scale)
    return out, data.get("context", {})


def fmt_us(us):
    if us >= 1000:
        return f"{us / 1000:.2f} ms"
    if us >= 10:
        return f"{us:.0f} µs"
    return f"{us:.2f} µs"


def main(folder):
    colour, context = load_benchmarks(os.path.join(folder, "colour.json"))
    mode, _ = load_benchmarks(os.path.join(folder, "set_color_mode.json"))
    rows = []

    def builder(label, name, reference, floor):
        ours = colour[name]["us"]
        ref = colour[reference]["us"]
        flo = colour[floor]["us"]
        rows.append((label, fmt_us(ours),
                     f"reference {fmt_us(ref)}, floor {fmt_us(flo)}",
                     f"{ref / ours:.1f}× faster than the reference; {ours / flo:.2f}× the floor"))

    builder("Partial-saturation LUT (IGCL SetDisplayTcc), 17³", "BM_PartialSaturation",
            "BM_PartialSaturationReference", "BM_PartialSaturationFloor")
    first = context.get("partial_saturation_first_table_us")
    if first:
        rows.append(("  the first table of a process (grid hues worked out)",
                     fmt_us(float(first)), "", ""))
    builder("Matrix LUT, IGCL Set3DLutParams, 17³", "BM_IgclMatrixLut",
            "BM_IgclMatrixLutReference", "BM_MatrixLutFloor")
    builder("Matrix LUT, CUI Build3DLut (packed), 17³; floor: the encode powers it no longer "
            "makes", "BM_Build3DLut", "BM_Build3DLutReference", "BM_MatrixLutFloor")
    for level in (0, 10, 34):
        builder(f"Gamma-level curve and ramp, level {level}", f"BM_GammaLevel/{level}",
                f"BM_GammaLevelReference/{level}", f"BM_GammaLevelFloor/{level}")

    for backend in ("igcl", "cui"):
        session = mode[f"BM_SessionOpen/{backend}"]["us"]
        for kind in ("tcc", "matrix", "cube", "plain"):
            whole = mode[f"BM_SetColorMode/{backend}/{kind}"]
            reads = mode[f"BM_ConfigReads/{kind}"]["us"]
            lut = mode[f"BM_LutBuild/{backend}/{kind}"]["us"]
            rest = whole["us"] - session - reads - lut
            rows.append((f"SetColorMode, {backend.upper()}, {kind} mode", fmt_us(whole["us"]),
                         f"session {fmt_us(session)}, reads {fmt_us(reads)}, "
                         f"LUT {fmt_us(lut)}, driver and simulator {fmt_us(max(rest, 0))}",
                         f"{whole['allocs']:.0f} allocations, peak heap "
                         f"{whole['peak_kb']:.0f} KB a call"))
    caps = mode["BM_CapabilityExports"]
    rows.append(("GetEDID + IsColorModeSupport + IsDPSTSupport + IsICCProfileSupport",
                 fmt_us(caps["us"]), "", f"{caps['allocs']:.0f} allocations, peak heap "
                 f"{caps['peak_kb']:.0f} KB"))

    def config(path):
        table = {}
        if os.path.exists(path):
            for line in open(path):
                parts = line.split()
                if len(parts) == 5 and parts[0] == "config":
                    table[(int(parts[2]), parts[3])] = float(parts[4])
        return table

    host = config(os.path.join(folder, "config-host.txt"))
    win = config(os.path.join(folder, "config-windows.txt"))
    for what, label in (("query", "one capability query"),
                        ("setcolormode_reads", "SetColorMode's three reads")):
        base_h = host.get((10, what))
        base_w = win.get((10, what))
        for panels in (10, 100, 1000, 10000):
            h = host.get((panels, what))
            w = win.get((panels, what))
            if h is None:
                continue
            growth = f"host ×{h / base_h:.1f}" if base_h else ""
            if w is not None and base_w:
                growth += f", Windows ×{w / base_w:.1f} (from 10 panels)"
            for table, name in ((host, "host"), (win, "Windows")):
                if (panels, "wrong_answers") in table:
                    growth += f"; the {name} reader answered WRONG"
            rows.append((f"{label}, {panels:,} panels", fmt_us(h),
                         f"Windows' reader under Wine {fmt_us(w)}" if w is not None else
                         "Windows build not run", growth))
    modes_path = os.path.join(folder, "modes.txt")
    if os.path.exists(modes_path):
        rows.append(("`varnet modes` over a 7 MB IntelColorMode.ini (400,000 keys)",
                     open(modes_path).read().strip() + " s", "was 68 s", "must be under 2 s"))

    print("| Figure | Time | Against | Ratio or cost |")
    print("|---|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")
    print()
    machine = os.path.join(folder, "machine.txt")
    if os.path.exists(machine):
        print("Machine: " + open(machine).read().strip())


if __name__ == "__main__":
    main(sys.argv[1])
