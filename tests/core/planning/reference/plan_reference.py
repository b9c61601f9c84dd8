#!/usr/bin/env python3
"""Independent computation of plan table files (.160) for the planning tests.

Written straight from the stand model, the plan rules and the table layout,
without looking at the C++ code, so that the suite compares two separate
computations. Usage:

    plan_reference.py PRM PAR CASE.json OUT.160 [MESSAGES.txt]

CASE.json holds the PlanSettings fields, SiteClass and the file names shown
in the heading. The messages the run would show are written one per line as
"[TITLE] TEXT" when a message file is given.
"""
import json
import math
import sys
from decimal import Decimal, ROUND_HALF_UP

HEADING_LINES = [
    "  林            全       林       木                             副     林     木                     主     林     木      総     林 ",
    "      ──────────────────────────  ───────────────────  ───────────            ",
    "        平  均          ha   あ   た   り         収   平          ha   あ   た   り          平      ha   あ   た   り     収        ",
    "      ─────  ───────────────       均   ───────────────    均    ───────────            ",
    "       樹    胸    本    胸    幹     連    平    量         本   本   胸    幹   材    幹          本    胸    幹    収              ",
    "             高          高           年    均         胸              高               材    胸          高          量              ",
    "                         断    材     成    成    比   高         数   断    材   積    積    高          断    材          穫        ",
    "             直          面           長    長         直              面               累    直          面          比              ",
    "  齢   高    径    数    積    積     量    量    数   径    数   率   積    積   率    計    径    数    積    積    数    量     齢 ",
    "  年     m    cm    本    m2     m3    m3    m3         cm    本   %    m2    m3   %     m3    cm    本    m2     m3          m3   年 ",

]
RULE = "─" * 67


# ---------------------------------------------------------------- numbers

def fmt(value, decimals):
    """Pattern formatting: 15 significant digits, then half away from zero."""
    d = Decimal(format(value, ".14e"))
    q = Decimal(1).scaleb(-decimals)
    r = d.quantize(q, rounding=ROUND_HALF_UP)
    if r == 0:
        r = abs(r)
    return format(r, "f")


def field(value, decimals, width):
    return fmt(value, decimals).rjust(width)


def general(value):
    if value == 0:
        return "0"
    if 1e-5 <= abs(value) < 1e15:
        d = Decimal(format(value, ".14e")).normalize()
        s = format(d, "f")
        if "." in s:
            s = s.rstrip("0").rstrip(".")
        return s
    m, e = format(value, ".14e").split("e")
    m = m.rstrip("0").rstrip(".")
    sign = "-" if int(e) < 0 else "+"
    return "%sE%s%02d" % (m, sign, abs(int(e)))


def round_half_even(x):
    return float(round(x))


# ------------------------------------------------------------ stand model

class Model:
    def __init__(self, prm, par, site_class):
        self.p = prm
        kind, m, b, k, band = par
        self.kind, self.b, self.k = kind, b, k
        self.scale = {1: m * math.exp(band), 2: m, 3: m * math.exp(-band)}[site_class]

    def height(self, age):
        t = float(age)
        if self.kind == 1:
            h = self.scale * (1 - self.b * math.exp(-self.k * t))
            return 0.25 if h < 0.25 else h
        if self.kind == 2:
            return self.scale / (self.b * math.exp(-self.k * t) + 1)
        return self.scale * math.exp(-self.b * math.exp(-self.k * t))

    def volume(self, h, n):
        p = self.p
        return 1 / (p[1] * h ** p[2] + p[3] * h ** p[4] / n)

    def basal(self, h, n):
        p = self.p
        hf = p[5] + p[6] * h + h * (math.sqrt(n) * p[7]) / 100
        return self.volume(h, n) / hf

    def dbh(self, h, n):
        p = self.p
        dq = 200 * math.sqrt((self.basal(h, n) / 3.14159) / n)
        return p[8] + p[9] * dq + h * (math.sqrt(n) * p[10]) / 100

    def nrf(self, h):
        return h ** self.p[12] * 10 ** self.p[11]

    def ry(self, h, n):
        p = self.p
        if p[0] == 1:
            return self.volume(h, n) / self.volume(h, self.nrf(h))
        return self.volume(h, n) / (self.nrf(h) ** p[17] * 10 ** p[16])

    def _ab(self, h):
        p = self.p
        a = h ** p[2] * (10 ** p[14] * (p[13] * p[1]))
        b = h ** p[4] * (10 ** p[14] * (p[13] * p[3]))
        return a, b

    def curve(self, planting, h):
        c = self.p[15]
        A, B = self._ab(h)
        a = A * planting ** c
        b = B * planting ** c
        u = b - planting * (a - 1)
        s = math.sqrt(planting * (a * 4 * b) + u * u)
        n1 = (-u + s) / 2 / a
        n2 = (-u - s) / 2 / a
        return n1 if planting >= n1 else n2

    def through(self, h, n, bracket):
        c = self.p[15]
        A, B = self._ab(h)

        def f(x):
            return x ** c * (B + n * A) - x ** (c - 1) * (n * B + n * n * A) - n

        lower, upper = 100.0, bracket
        if upper - lower < 0.05:
            return round_half_even(bracket)
        f0 = f(100.0)
        mid = 0.0
        while upper - lower >= 0.05:
            mid = (upper + lower) / 2
            if f0 * f(mid) >= 0:
                lower = mid
            else:
                upper = mid
        return round_half_even(mid)


# --------------------------------------------------------------- the plans

class Plans:
    def __init__(self, model, s):
        self.m = model
        self.s = s
        self.lines = []
        self.messages = []
        self.H = [0.0] * 201
        self.N = [0.0] * 201
        self.V = [0.0] * 201
        self.D = [0.0] * 201
        self.Ry = [0.0] * 201
        self.S = [0.0] * 201
        # thinning bookkeeping, kept from plan to plan
        self.b = dict(StemsAfter=0.0, StemsThinned=0.0, StemThinningRate=0.0, VolumeAfter=0.0,
                      VolumeThinned=0.0, VolumeThinningRate=0.0, Cumulative=0.0,
                      BasalBefore=0.0, BasalAfter=0.0, BasalThinned=0.0, DbhAfter=0.0,
                      ThinnedDbh=0.0, RyAfter=0.0)

    def mode(self):
        s = self.s
        if s["StandStateKnown"] == 1:
            return "A" if s["TargetDecided"] == 1 else "B"
        return "C"

    def heading(self):
        s = self.s
        self.lines.append("収穫予測    使用ファイル：" + s["PrmName"] + " & " + s["ParName"])
        self.lines.append("  （地位" + s["SiteName"] + "）")
        self.lines.append("")
        self.lines.append(RULE)
        self.lines.extend(HEADING_LINES[:9])
        self.lines.append(RULE)
        self.lines.append(HEADING_LINES[9])
        self.lines.append(RULE)

    def row(self, a, growth, mean, total, thinned):
        b = self.b
        t = (field(a, 0, 4) + field(self.H[a], 1, 6) + field(self.D[a], 1, 6) +
             field(self.N[a], 0, 6) + field(b["BasalBefore"], 1, 6) + field(self.V[a], 1, 7) +
             field(growth, 1, 6) + field(mean, 1, 6) + field(self.Ry[a], 2, 6))
        if thinned:
            t += (field(b["ThinnedDbh"], 1, 5) + field(b["StemsThinned"], 0, 6) +
                  field(b["StemThinningRate"], 0, 4) + field(b["BasalThinned"], 1, 6) +
                  field(b["VolumeThinned"], 1, 6) + field(b["VolumeThinningRate"], 0, 4) +
                  field(b["Cumulative"], 1, 7) + field(b["DbhAfter"], 1, 6) +
                  field(b["StemsAfter"], 0, 6) + field(b["BasalAfter"], 1, 6) +
                  field(b["VolumeAfter"], 1, 7) + field(b["RyAfter"], 2, 5))
        else:
            t += " " * 68
        t += field(total, 1, 7) + field(a, 0, 4)
        self.lines.append(t)

    def subcalc2(self, a, k):
        """Forward thinning bookkeeping; False when nothing would be removed."""
        b, m = self.b, self.m
        saved = dict(b)
        n = self.N[a]
        if b["StemsAfter"] < 150:
            self.messages.append("[SUBCALC2 間伐%d回] 間伐率 %s％まで落せません。"
                                 % (k, general(b["StemThinningRate"])))
            b["StemsAfter"] = n if n < 150 else 150.0
            b["StemsThinned"] = n - b["StemsAfter"]
            b["StemThinningRate"] = b["StemsThinned"] * 100 / n
        if not b["StemsThinned"] > 0:
            b.clear()
            b.update(saved)
            return False
        h = self.H[a]
        b["VolumeAfter"] = m.volume(h, b["StemsAfter"])
        b["VolumeThinned"] = self.V[a] - b["VolumeAfter"]
        b["VolumeThinningRate"] = math.floor(b["VolumeThinned"] / self.V[a] * 100 + 0.5)
        b["Cumulative"] += b["VolumeThinned"]
        b["BasalAfter"] = m.basal(h, b["StemsAfter"])
        b["BasalThinned"] = b["BasalBefore"] - b["BasalAfter"]
        b["DbhAfter"] = m.dbh(h, b["StemsAfter"])
        b["ThinnedDbh"] = (self.D[a] * n - b["DbhAfter"] * b["StemsAfter"]) / b["StemsThinned"]
        b["RyAfter"] = m.ry(h, b["StemsAfter"])
        return True

    def reverse_step(self, a):
        b, m = self.b, self.m
        h, n = self.H[a], self.N[a]
        b["VolumeAfter"] = self.V[a]
        self.V[a] = m.volume(h, n)
        b["VolumeThinned"] = self.V[a] - b["VolumeAfter"]
        b["VolumeThinningRate"] = math.floor(b["VolumeThinned"] / self.V[a] * 100 + 0.5)
        b["Cumulative"] += b["VolumeThinned"]
        b["BasalAfter"] = b["BasalBefore"]
        b["BasalBefore"] = m.basal(h, n)
        b["BasalThinned"] = b["BasalBefore"] - b["BasalAfter"]
        b["DbhAfter"] = self.D[a]
        self.D[a] = m.dbh(h, n)
        b["ThinnedDbh"] = (self.D[a] * n - b["DbhAfter"] * b["StemsAfter"]) / b["StemsThinned"]
        b["RyAfter"] = m.ry(h, b["StemsAfter"])

    def run(self):
        for k in range(1, 6):
            self.plan(k)
        return self.lines

    def plan(self, k):
        s, m, b = self.s, self.m, self.b
        mode = self.mode()
        cpd = s["StartPlantingDensity"]
        number = 1
        next_after = s["ThinStartAge"] - 1
        before_age = s["ThinToAge"]
        ry_limit, slender_limit, interval1 = s["RyLimit"], s["SlendernessLimit"], s["IntervalLessOne"]
        step = (s["TargetPlantingDensity"] / s["StartStemNumber"]) ** (1.0 / k)
        start, end = s["StartAge"], s["EndAge"]

        self.heading()
        b["Cumulative"] = 0.0
        thinned = False
        on_full = False
        if mode != "C":
            if start > 1:
                p = start - 1
                self.H[p] = m.height(p)
                self.N[p] = m.curve(cpd, self.H[p])
                self.V[p] = m.volume(self.H[p], self.N[p])
            else:
                self.V[0] = 0.0

        for i in range(start, end + 1):
            a = end - i + 1 if mode == "C" else i
            b["VolumeThinned"] = 0.0
            h = m.height(a)
            self.H[a] = h
            if on_full:
                n = m.nrf(h)
            else:
                n = m.curve(cpd, h)
                first_from_one = (i == start and start == 1)
                if mode != "C" and not thinned and not first_from_one:
                    rn = self.N[a - 1] / n
                    rh = self.H[a - 1] / h
                    if rh != 0:
                        rh = rh ** m.p[12]
                    if rn > rh and m.nrf(h) < self.N[a - 1]:
                        n = m.nrf(h)
                        on_full = True
            self.N[a] = n
            thinned = False
            self.V[a] = m.volume(h, n)
            b["BasalBefore"] = m.basal(h, n)
            self.D[a] = m.dbh(h, n)
            self.S[a] = h / self.D[a]
            self.Ry[a] = m.ry(h, n)
            if mode == "C":
                if a - 1 == 0:
                    before = 0.0
                else:
                    hb = m.height(a - 1)
                    before = m.volume(hb, m.curve(cpd, hb))
            else:
                before = self.V[a - 1]
            growth = self.V[a] - before
            if growth < 0:
                growth = self.V[a] - b["VolumeAfter"]
            mean = self.V[a] / a

            allowed = next_after < a < before_age
            if mode == "A":
                if allowed and (self.Ry[a] >= ry_limit or self.S[a] >= slender_limit):
                    saved = dict(b)
                    if number < k:
                        b["StemsAfter"] = n * step
                    else:
                        b["StemsAfter"] = m.curve(s["TargetPlantingDensity"], h)
                    b["StemsThinned"] = n - b["StemsAfter"]
                    if b["StemsThinned"] > 1:
                        b["StemThinningRate"] = b["StemsThinned"] / n * 100
                        if self.subcalc2(a, k):
                            thinned = True
                            number += 1
                            next_after = a + interval1
                    if not thinned:
                        b.clear()
                        b.update(saved)
            elif mode == "B":
                if (allowed and number <= k and n > 150 and
                        (self.Ry[a] >= ry_limit or self.S[a] >= slender_limit)):
                    b["RyAfter"] = self.Ry[a]
                    goal = self.Ry[a] - s["RyStep"]
                    b["StemsAfter"] = n
                    while b["RyAfter"] >= goal:
                        b["StemsAfter"] -= 100
                        if b["StemsAfter"] < 150:
                            b["StemsAfter"] = 150.0
                        if n < b["StemsAfter"]:
                            b["StemsAfter"] = n
                        b["RyAfter"] = m.ry(h, b["StemsAfter"])
                        if b["StemsAfter"] == 150:
                            break
                    if b["StemsAfter"] != 150:
                        while b["RyAfter"] < goal:
                            b["StemsAfter"] += 10
                            b["RyAfter"] = m.ry(h, b["StemsAfter"])
                        while b["RyAfter"] >= goal:
                            b["StemsAfter"] -= 1
                            b["RyAfter"] = m.ry(h, b["StemsAfter"])
                    if b["StemsAfter"] == 150:
                        self.messages.append("[TABLECALC2 %d] 収量比数 %s まで落せません。"
                                             % (k, fmt(goal, 2)))
                    b["StemsThinned"] = n - b["StemsAfter"]
                    b["StemThinningRate"] = b["StemsThinned"] / n * 100
                    if self.subcalc2(a, k):
                        thinned = True
                        number += 1
                        next_after = a + interval1
            else:
                if allowed and number <= k and self.Ry[a] <= ry_limit - s["RyStep"]:
                    b["RyAfter"] = self.Ry[a]
                    b["StemsAfter"] = n
                    while b["RyAfter"] <= ry_limit and b["StemsAfter"] < 100000:
                        b["StemsAfter"] = min(b["StemsAfter"] + 100, 100000.0)
                        b["RyAfter"] = m.ry(h, b["StemsAfter"])
                    if b["RyAfter"] > ry_limit:
                        while b["RyAfter"] > ry_limit:
                            b["StemsAfter"] -= 10
                            b["RyAfter"] = m.ry(h, b["StemsAfter"])
                        while b["RyAfter"] <= ry_limit:
                            b["StemsAfter"] += 1
                            b["RyAfter"] = m.ry(h, b["StemsAfter"])
                        self.N[a], b["StemsAfter"] = b["StemsAfter"], self.N[a]
                        b["StemsThinned"] = self.N[a] - b["StemsAfter"]
                        b["StemThinningRate"] = b["StemsThinned"] / self.N[a] * 100
                        self.reverse_step(a)
                        thinned = True
                        number += 1
                        cpd = m.through(h, self.N[a], 5 * self.N[a])

            total = self.V[a] + b["Cumulative"] - b["VolumeThinned"]
            if thinned:
                self.row(a, growth, mean, total, True)
                on_full = False
                if mode != "C":
                    cpd = m.through(h, b["StemsAfter"], cpd)
            elif a % 5 == 0:
                self.row(a, growth, mean, total, False)
        self.lines.append(RULE)


def read_numbers(path, first, count):
    lines = open(path, "rb").read().decode("cp932").splitlines()
    return lines, [float(x) for x in lines[first:first + count]]


def main():
    prm_path, par_path, case_path, out_path = sys.argv[1:5]
    _, prm = read_numbers(prm_path, 1, 18)
    par_lines = open(par_path, "rb").read().decode("cp932").splitlines()
    kind = int(par_lines[2].split()[0])
    values = [float(line.split("=")[1]) for line in par_lines[3:7]]
    case = json.load(open(case_path, encoding="utf-8"))
    model = Model(prm, [kind] + values, case["SiteClass"])
    plans = Plans(model, case)
    lines = plans.run()
    with open(out_path, "wb") as out:
        out.write("".join(line + "\r\n" for line in lines).encode("cp932"))
    if len(sys.argv) > 5:
        with open(sys.argv[5], "w", encoding="utf-8") as out:
            out.write("".join(msg + "\n" for msg in plans.messages))


if __name__ == "__main__":
    main()
