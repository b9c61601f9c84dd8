#!/usr/bin/env python3
"""Generates the illustrative Japanese-cedar-like example set of this folder.

Writes, next to this script's parent folder (examples/):
  sugi_type1.prm   density diagram of type 1 (Ry from the yield-density equation)
  sugi_type2.prm   the same diagram as type 2 (with a full-density volume line)
  sugi_survey.dat  60 survey plots drawn from known curves with seeded noise
  sugi.PAR         the site-class height curve fitted to sugi_survey.dat
  sugi.HNP         the dominant-height - stem-number curve fitted to it

Every run gives the same bytes (fixed seed). The numbers are invented to
look like a plantation of Japanese cedar; they are no official diagram.

Usage: python3 examples/tools/make_examples.py [--check]
"""
import math
import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)
SEED = 20261202
SURVEY_NAME = "sugi_survey.dat"

# --- the density diagram -------------------------------------------------
# Prm[0] type, [1..4] yield-density 1/V = b1 H^b2 + b3 H^b4 / N,
# [5..7] form height, [8..10] mean diameter, [11..12] full-density line,
# [13..15] natural thinning, [16..17] full-density volume line (type 2).
PRM = [1, 0.084, -1.5, 5490, -2.7, 0.9, 0.38, 0.05, 0.0, 0.98, 0.02,
       5.3, -1.4, 1.0, 2.0, 0.4, 0, 0]

# --- the generating curves (the "truth" behind the survey) ---------------
TRUE_SITE = (30.0, 1.04, 0.026)  # Mitscherlich: H = M (1 - b exp(-k t))
SITE_SPREAD = 0.11               # sd of a plot's site in ln(height)
HEIGHT_NOISE = 0.02              # sd of measurement noise in ln(height)
TRUE_HNP = (2400.0, 8.0, 0.15, 3100.0)  # N = P4 - P1 exp(-P2 exp(-P3 H))
STEM_NOISE = 0.08
PLOTS = 60


def log10(x):
    return math.log(x) / math.log(10.0)


def volume(p, h, n):
    return 1.0 / (p[1] * h ** p[2] + p[3] * h ** p[4] / n)


def form_height(p, h, n):
    return p[5] + p[6] * h + h * (math.sqrt(n) * p[7]) / 100.0


def mean_dbh(p, h, n):
    g = volume(p, h, n) / form_height(p, h, n)
    dq = 200.0 * math.sqrt((g / 3.14159) / n)
    return p[8] + p[9] * dq + h * (math.sqrt(n) * p[10]) / 100.0


def full_density(p, h):
    return h ** p[12] * 10.0 ** p[11]


def natural_thinning(p, planting, h):
    c = p[15]
    a0 = h ** p[2] * (10.0 ** p[14] * (p[13] * p[1]))
    b0 = h ** p[4] * (10.0 ** p[14] * (p[13] * p[3]))
    a = a0 * planting ** c
    b = b0 * planting ** c
    u = b - planting * (a - 1.0)
    s = math.sqrt(planting * (a * 4.0 * b) + u * u)
    n1 = (-u + s) / 2.0 / a
    n2 = (-u - s) / 2.0 / a
    return n1 if planting >= n1 else n2


def site_curve(kind, para, t):
    m, b, k = para[0], para[1], para[2]
    if kind == 1:
        return m * (1.0 - b * math.exp(-k * t))
    if kind == 2:
        return m / (1.0 + b * math.exp(-k * t))
    return m * math.exp(-b * math.exp(-k * t))


def hnp_curve(para, h):
    return para[3] - para[0] * math.exp(-para[1] * math.exp(-para[2] * h))


def general(value):
    """The general decimal form the program writes into PRM files."""
    text = "%.15G" % value
    return "0" if text in ("0", "-0") else text


def sci(value):
    """A value in the pattern 0.000000E+00, right-aligned in 13 columns."""
    return ("%.6E" % value).rjust(13)


def type2_volume_line(p):
    """Least-squares line log10 VRf = a + b log10 NRf over heights 5..35 m."""
    xs, ys = [], []
    for i in range(61):
        h = 5.0 + i * 0.5
        nrf = full_density(p, h)
        xs.append(log10(nrf))
        ys.append(log10(volume(p, h, nrf)))
    mx, my = sum(xs) / len(xs), sum(ys) / len(ys)
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    sxx = sum((x - mx) * (x - mx) for x in xs)
    b = sxy / sxx
    return round(my - b * mx, 4), round(b, 4)


def nelder_mead(f, start, steps=4000):
    """A plain Nelder-Mead minimiser; enough for three or four parameters."""
    n = len(start)
    pts = [list(start)]
    for j in range(n):
        v = list(start)
        v[j] = v[j] * 1.1 if v[j] != 0 else 0.01
        pts.append(v)
    vals = [f(v) for v in pts]
    for _ in range(steps):
        order = sorted(range(n + 1), key=lambda i: vals[i])
        pts = [pts[i] for i in order]
        vals = [vals[i] for i in order]
        if abs(vals[-1] - vals[0]) <= 1e-12 * (1.0 + abs(vals[0])):
            break
        c = [sum(pts[i][j] for i in range(n)) / n for j in range(n)]
        worst = pts[-1]
        r = [c[j] + (c[j] - worst[j]) for j in range(n)]
        fr = f(r)
        if fr < vals[0]:
            e = [c[j] + 2.0 * (c[j] - worst[j]) for j in range(n)]
            fe = f(e)
            pts[-1], vals[-1] = (e, fe) if fe < fr else (r, fr)
        elif fr < vals[-2]:
            pts[-1], vals[-1] = r, fr
        else:
            t = [c[j] + 0.5 * (worst[j] - c[j]) for j in range(n)]
            ft = f(t)
            if ft < vals[-1]:
                pts[-1], vals[-1] = t, ft
            else:
                for i in range(1, n + 1):
                    pts[i] = [pts[0][j] + 0.5 * (pts[i][j] - pts[0][j]) for j in range(n)]
                    vals[i] = f(pts[i])
    best = min(range(n + 1), key=lambda i: vals[i])
    return pts[best], vals[best]


def safe(fn):
    def wrapped(v):
        try:
            r = fn(v)
        except (OverflowError, ValueError, ZeroDivisionError):
            return float("inf")
        return r if math.isfinite(r) else float("inf")
    return wrapped


def make_survey(rng):
    records = []
    for i in range(1, PLOTS + 1):
        age = rng.randint(3, 80)
        site = rng.gauss(0.0, SITE_SPREAD)
        h = site_curve(1, TRUE_SITE, age) * math.exp(site + rng.gauss(0.0, HEIGHT_NOISE))
        n = hnp_curve(TRUE_HNP, h) * math.exp(rng.gauss(0.0, STEM_NOISE))
        n = min(n, 0.95 * full_density(PRM, h))
        v = volume(PRM, h, n) * math.exp(rng.gauss(0.0, 0.05))
        g = v / form_height(PRM, h, n) * math.exp(rng.gauss(0.0, 0.03))
        d = mean_dbh(PRM, h, n) * math.exp(rng.gauss(0.0, 0.04))
        mh = 0.88 * h * math.exp(rng.gauss(0.0, 0.03))
        records.append((i, 100 + i, round(h, 1), int(round(n)), round(v, 1),
                        round(g, 1), round(d, 1), round(mh, 1), age))
    return records


def dat_text(records):
    rule = "─" * 39
    lines = [" " * 17 + "収穫予測表作成のための基礎資料   資料数：" + str(len(records)).rjust(4),
             rule,
             "  番号   PLOT  上層樹高  立木本数   幹材積   断面積  平均直径 平均樹高  林齢",
             rule]
    for r in records:
        lines.append("%5d  %5d %9.1f %9d %8.1f %8.1f %9.1f %8.1f %5d" % r)
    lines.append(rule)
    return "".join(line + "\r\n" for line in lines)


def fit_site(records):
    pairs = [(r[8], r[2]) for r in records if r[8] * r[2] != 0]
    names = {1: "ＭITSCHERLICH式  ", 2: "logistic式       ", 3: "ＧOMPERTZ式      "}
    starts = {1: [30.0, 1.0, 0.03], 2: [28.0, 10.0, 0.08], 3: [28.0, 3.0, 0.05]}
    results = []
    for kind in (1, 2, 3):
        ss = safe(lambda v, kind=kind: sum((y - site_curve(kind, v, x)) ** 2 for x, y in pairs))
        para, best = nelder_mead(ss, starts[kind])
        para, best = nelder_mead(ss, para)  # restart: a simplex can stall
        band = math.sqrt(1.323 * sum(math.log(y / site_curve(kind, para, x)) ** 2
                                     for x, y in pairs) / (len(pairs) - 3))
        results.append((best, kind, para, band))
    # Ties keep the earlier function, as the automatic selection does.
    chosen = results[0]
    for r in results[1:]:
        if chosen[0] > r[0]:
            chosen = r
    ss, kind, para, band = chosen
    return kind, names[kind], para, band, ss


def fit_hnp(records):
    pairs = [(r[2], r[3]) for r in records if r[3] * r[2] != 0]
    ss = safe(lambda v: sum((y - hnp_curve(v, x)) ** 2 for x, y in pairs))
    para, best = nelder_mead(ss, [2000.0, 6.0, 0.12, 3000.0], steps=20000)
    para, best = nelder_mead(ss, para, steps=20000)
    return para, best


def par_text(kind, name, para, band, ss):
    lines = ["上層樹高生長曲線計算結果",
             "ファイル名, " + SURVEY_NAME,
             str(kind).rjust(2) + " " + name + "（最適曲線）",
             "PARAMETER(1)   = " + sci(para[0]),
             "PARAMETER(2)   = " + sci(para[1]),
             "PARAMETER(3)   = " + sci(para[2]),
             "変 動 帯 係 数 = " + sci(band),
             "残 差 平 方 和 = " + sci(ss)]
    return "".join(line + "\r\n" for line in lines)


def hnp_text(para, ss):
    lines = ["上層樹高－本数曲線式", SURVEY_NAME] + [
        "PARAMETER(%d)   = " % (i + 1) + sci(para[i]) for i in range(4)] + [
        "残 差 平 方 和 = " + sci(ss)]
    return "".join(line + "\r\n" for line in lines)


def prm_text(p):
    return "".join(line + "\r\n" for line in ["林分密度管理図パラメータ"] + [general(v) for v in p])


REGION = "静岡"


def write(name, text):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(text.encode("cp932"))


def check(kind, para, band, p1, p2):
    """Prints what a forester would look at first, and fails on nonsense."""
    ok = True
    for site, factor in (("上", math.exp(band)), ("中", 1.0), ("下", math.exp(-band))):
        h40 = site_curve(kind, (para[0] * factor, para[1], para[2]), 40)
        h1 = max(site_curve(kind, (para[0] * factor, para[1], para[2]), 1), 0.25)
        h200 = site_curve(kind, (para[0] * factor, para[1], para[2]), 200)
        print(f"site {site}: H(1) = {h1:.2f} m, H(40) = {h40:.2f} m, H(200) = {h200:.2f} m")
    for p in (p1, p2):
        h = site_curve(kind, para, 40)
        v = volume(p, h, 2000)
        nrf = full_density(p, h)
        ry = v / volume(p, h, nrf) if p[0] == 1 else v / (nrf ** p[17] * 10 ** p[16])
        print(f"type {p[0]}: middle site age 40, 2000 stems: V = {v:.1f}, Ry = {ry:.3f}, "
              f"NRf = {nrf:.0f}, D = {mean_dbh(p, h, 2000):.1f} cm")
        ok &= 300 <= v <= 700 and ry < 1
    h40 = site_curve(kind, para, 40)
    print("natural thinning at the middle site's age 40:",
          ", ".join(f"P {p} -> {natural_thinning(p1, p, h40):.0f}" for p in (1000, 3000, 10000)))
    for factor in (math.exp(band), 1.0, math.exp(-band)):
        for planting in (1000, 3000, 5000, 10000):
            for age in range(1, 201):
                h = max(site_curve(kind, (para[0] * factor, para[1], para[2]), age), 0.25)
                n = natural_thinning(p1, planting, h)
                vals = (h, n, volume(p1, h, n), form_height(p1, h, n), mean_dbh(p1, h, n))
                if not all(math.isfinite(x) and x > 0 for x in vals):
                    print("bad values", factor, planting, age, vals)
                    ok = False
    return ok


def main():
    rng = random.Random(SEED)
    records = make_survey(rng)
    write(SURVEY_NAME, dat_text(records))
    kind, name, para, band, ss = fit_site(records)
    write("sugi.PAR", par_text(kind, name, para, band, ss))
    # The planning wizard takes only files named for the chosen region, so
    # the same curve and diagram are also given under the name of one
    # cedar region (静岡県).
    write(REGION + "sugi.PAR", par_text(kind, name, para, band, ss))
    hpara, hss = fit_hnp(records)
    write("sugi.HNP", hnp_text(hpara, hss))
    type1 = list(PRM)
    type2 = list(PRM)
    type2[0] = 2
    type2[16], type2[17] = type2_volume_line(PRM)
    write("sugi_type1.prm", prm_text(type1))
    write(REGION + "sugi_type1.prm", prm_text(type1))
    write("sugi_type2.prm", prm_text(type2))
    if "--check" in sys.argv:
        print("site curve:", kind, name.strip(), para, "band", band, "ss", ss)
        print("hnp curve:", hpara, "ss", hss)
        print("type 2 volume line:", type2[16], type2[17])
        if not check(kind, para, band, type1, type2):
            sys.exit(1)


if __name__ == "__main__":
    main()
