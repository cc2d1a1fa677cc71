#!/usr/bin/env python3
"""Summary of ./qucap bench: ComposeFrame times, the cost a caption adds at
1080p against what ffmpeg's ass filter adds, and conversion per pixel."""
import json
import sys


def medians(path):
    data = json.load(open(path))
    result = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name", "median") != "median":
            continue
        name = b.get("run_name", b["name"]).replace("/real_time", "")
        result[name] = b["real_time"] * {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[b["time_unit"]]  # ms
    return result


def main():
    times = medians(sys.argv[1])
    ass = dict(line.split() for line in open(sys.argv[2]) if line.strip())
    print("| benchmark | ms per frame |")
    print("|---|---|")
    for name, ms in sorted(times.items()):
        print(f"| {name} | {ms:.3f} |")
    none = times["BM_ComposeNoCaption/1920/1080"]
    row = times["BM_ComposeSampleRow/width:1920/height:1080/border:1/cache:1"]
    ours_yuy2 = row - none
    ours = times["BM_ComposeRgbSampleRow/1920/1080/1"] - times["BM_ComposeRgbNoCaption/1920/1080"]
    theirs = float(ass["ass_ms_per_frame"])
    copy = times["BM_CopyOutputFrame/1920/1080"]
    print()
    print(f"caption added at 1080p: ours {ours:.3f} ms (RGB32 pair; YUY2 pair {ours_yuy2:.3f} ms), "
          f"ffmpeg ass {theirs:.3f} ms, ratio {ours / theirs:.2f}")
    print(f"conversion only at 1080p: {none * 1e6 / (1920 * 1080):.2f} ns per pixel, "
          f"{none / copy:.1f} x a copy of the output frame ({copy * 1e6 / (1920 * 1080):.2f} ns per pixel)")


if __name__ == "__main__":
    main()
