#!/ usr / bin / env python3
"""Writes a synthetic forest register (森林簿) for `morikoyomi-cli register`.

    python3 scripts/make_register.py N OUT.csv [--seed S] [--errors FRACTION]
        [--prm FILE ...] [--par FILE ...] [--run FILE] [--sjis]

Each of the N compartments gets an area, an age, a site class (or, for one
in five, a measured dominant height), a stem number (empty for one in four:
the stand is then on its natural-thinning curve) and a species. The PRM and
PAR files (default: the examples) are written relative to OUT's folder and
taken in turn, so the register has as many parameter sets as files given.
With --errors, that fraction of the rows gets a fault the tool must report
(age 0, an unreadable area, a missing PRM file). The same seed gives the
same file.
"""

import argparse
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(os.path.dirname(HERE), "examples")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("count", type=int)
    ap.add_argument("out")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--errors", type=float, default=0.0)
    ap.add_argument("--prm", nargs="+",
                    default=[os.path.join(EXAMPLES, "sugi_type1.prm"),
                             os.path.join(EXAMPLES, "sugi_type2.prm")])
    ap.add_argument("--par", nargs="+", default=[os.path.join(EXAMPLES, "sugi.PAR")])
    ap.add_argument("--run", help="run file with the thinning, named in every row")
    ap.add_argument("--sjis", action="store_true", help="write Shift_JIS instead of UTF-8")
    args = ap.parse_args()

    folder = os.path.dirname(os.path.abspath(args.out))

    def rel(path):
        return os.path.relpath(os.path.abspath(path), folder)

    sets = [(rel(args.prm[i % len(args.prm)]), rel(args.par[i % len(args.par)]))
            for i in range(max(len(args.prm), len(args.par)))]
    run = rel(args.run) if args.run else ""
    rng = random.Random(args.seed)
    lines = ["区画ID,面積(ha),PRM,PAR,地位,上層樹高,林齢,立木本数,施業,樹種"]
    for i in range(args.count):
        prm, par = sets[i % len(sets)]
        age = rng.randint(5, 90)
        area = f"{rng.uniform(0.05, 8.0):.2f}"
        site = rng.choice(["上", "中", "中", "下", "1", "2", "3"])
        height = ""
        if rng.random() < 0.2:
#A measured height near the middle curve of the examples.
            middle = 29.74 * (1 - 1.0387 * 2.718281828 ** (-0.026387 * age))
            height = f"{max(1.0, middle * rng.uniform(0.8, 1.2)):.1f}"
            site = ""
        stems = "" if rng.random() < 0.25 else str(rng.randint(400, 3000))
        species = rng.choice(["スギ", "スギ", "ヒノキ"])
        row = [f"{i + 1:07d}", area, prm, par, site, height, str(age), stems, run, species]
        if args.errors and rng.random() < args.errors:
            fault = rng.randrange(3)
            if fault == 0:
                row[6] = "0"
            elif fault == 1:
                row[1] = "不明"
            else:
                row[2] = "missing.prm"
        lines.append(",".join(row))
    text = "\r\n".join(lines) + "\r\n"
    with open(args.out, "wb") as f:
        f.write(text.encode("cp932" if args.sjis else "utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
