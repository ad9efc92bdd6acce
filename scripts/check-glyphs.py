#!/usr/bin/env python3
"""Compare quillmark-cli --json with an expected.jsonl of reference outputs.

Usage: check-glyphs.py CLI GLYPH_DIR [--show N] [--keys k1,k2] [--quiet]

GLYPH_DIR holds glyph files and expected.jsonl (one JSON line per glyph, as
quillmark-cli --json writes it). The comparison goes stage by stage: the
image, the filled glyph, the skeleton, the feature points, the measures, then
the vote. `fired` and `candidates` are compared only over the letters whose
recognisers exist (quillmark-cli --print-recognisers); `result` only where
every expected candidate is such a letter. Exits 1 on any difference.
"""
import argparse
import json
import math
import os
import subprocess
import sys

STAGES = [
    ("image", ["loadStatus", "message", "ImageHeight", "ImageWidth"]),
    ("filled", ["filled", "InkDensity", "ImageMaxSide"]),
    ("skeleton", ["skeleton", "junctionsSettled"]),
    ("features", ["EndPoints", "ForkPoints", "ForkArms", "IsolatedPoints", "Holes", "HoleRuns", "Spurs"]),
    ("measures", ["AspectRatio", "BoxTop", "BoxBottom", "BoxLeft", "BoxRight", "BoxHeight", "BoxWidth",
                  "UnitHeight", "UnitWidth", "Unit", "RowInk", "RowRuns", "RowWideRuns", "LeftMargin",
                  "RightMargin", "ColumnInk", "ColumnRuns", "ColumnWideRuns", "TopMargin", "BottomMargin"]),
    ("vote", ["gated", "fired", "candidates", "result"]),
]


def same(a, b):
    if isinstance(a, float) or isinstance(b, float):
        if a is None or b is None:
            return a is b
        return math.isclose(float(a), float(b), rel_tol=1e-6, abs_tol=1e-9)
    return a == b


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("cli")
    ap.add_argument("glyph_dir")
    ap.add_argument("--show", type=int, default=5, help="differences shown per key")
    ap.add_argument("--keys", default="", help="compare only these keys")
    ap.add_argument("--quiet", action="store_true")
    args = ap.parse_args()

    expected_path = os.path.join(args.glyph_dir, "expected.jsonl")
    with open(expected_path) as f:
        expected = [json.loads(line) for line in f if line.strip()]
    built = subprocess.run([args.cli, "--print-recognisers"], capture_output=True, text=True,
                           check=True).stdout.strip()
    built = set(built)

    files = [os.path.join(args.glyph_dir, os.path.basename(e["file"])) for e in expected]
    out = subprocess.run([args.cli, "--json", "--list", "-"], input="\n".join(files) + "\n",
                         capture_output=True, text=True)
    got = [json.loads(line) for line in out.stdout.splitlines() if line.strip()]
    if len(got) != len(expected):
        print(f"quillmark-cli wrote {len(got)} lines for {len(expected)} glyphs", file=sys.stderr)
        return 1

    only = set(k for k in args.keys.split(",") if k)
    diffs = {}
    for e, g in zip(expected, got):
        name = os.path.basename(e["file"])
        for stage, keys in STAGES:
            for key in keys:
                if only and key not in only:
                    continue
                ev, gv = e.get(key), g.get(key)
                if key == "fired":
                    ev = {k: v for k, v in (ev or {}).items() if k in built}
                    gv = gv or {}
                elif key == "candidates":
                    ev = "".join(c for c in (ev or "") if c in built)
                elif key == "result":
                    if not set(e.get("candidates") or "") <= built:
                        continue
                if not same(ev, gv):
                    diffs.setdefault((stage, key), []).append((name, ev, gv))

    total = len(expected)
    print(f"{total} glyphs; recognisers built: {''.join(sorted(built)) or '(none)'}")
    for stage, keys in STAGES:
        for key in keys:
            if only and key not in only:
                continue
            bad = diffs.get((stage, key), [])
            print(f"  {stage:9} {key:16} {total - len(bad):4}/{total} agree")
            if not args.quiet:
                for name, ev, gv in bad[: args.show]:
                    print(f"      {name}: expected {json.dumps(ev)[:300]}")
                    print(f"      {' ' * len(name)}  got      {json.dumps(gv)[:300]}")
    return 1 if diffs else 0


if __name__ == "__main__":
    sys.exit(main())
