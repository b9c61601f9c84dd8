#!/usr/bin/env python3
"""An independent computation of yield tables and stand volume tables,
written from the table rules alone, used to check the expected files of the
yield tests. Usage:
  reference_yield.py yield PRM PAR key=value ...   -> table bytes on stdout
  reference_yield.py volume PRM PAR HNP [EndAge]   -> table bytes on stdout
Messages go to stderr as "[TITLE] TEXT".
"""
import math
import sys
from decimal import Decimal, ROUND_HALF_UP, ROUND_HALF_EVEN


def read_lines(path):
    return open(path, 'rb').read().decode('cp932').replace('\r\n', '\n').split('\n')


def read_prm(path):
    lines = read_lines(path)
    return [float(lines[i]) for i in range(1, 19)]


def read_par(path):
    lines = read_lines(path)
    kind = int(lines[2].strip()[0])
    vals = [float(lines[i].split('=')[1]) for i in range(3, 7)]
    return kind, vals[0], vals[1], vals[2], vals[3]


def read_hnp(path):
    lines = read_lines(path)
    return [float(lines[i].split('=')[1]) for i in range(2, 6)]


def fmt(value, decimals):
    s = '%.15g' % value
    d = Decimal(s).quantize(Decimal(1).scaleb(-decimals), rounding=ROUND_HALF_UP)
    t = '{:f}'.format(d)
    if t.startswith('-') and Decimal(t) == 0:
        t = t[1:]
    return t


def field(value, decimals, width):
    return fmt(value, decimals).rjust(width)


def general(value):
    if value == 0:
        return '0'
    s = '%.15g' % value
    if 'e' in s:
        raise ValueError('not needed here')
    if '.' in s:
        s = s.rstrip('0').rstrip('.')
    return s


def half_even(x):
    return int(Decimal(x).quantize(Decimal(1), rounding=ROUND_HALF_EVEN))


class Model:
    def __init__(self, prm):
        self.p = prm

    def V(self, H, N):
        p = self.p
        return 1 / (p[1] * math.pow(H, p[2]) + p[3] * math.pow(H, p[4]) / N)

    def HF(self, H, N):
        p = self.p
        return p[5] + p[6] * H + H * (math.sqrt(N) * p[7]) / 100

    def G(self, H, N):
        return self.V(H, N) / self.HF(H, N)

    def Dq(self, H, N):
        return 200 * math.sqrt((self.G(H, N) / 3.14159) / N)

    def D(self, H, N):
        p = self.p
        return p[8] + p[9] * self.Dq(H, N) + H * (math.sqrt(N) * p[10]) / 100

    def NRf(self, H):
        p = self.p
        return math.pow(H, p[12]) * math.pow(10, p[11])

    def Ry(self, H, N):
        p = self.p
        if p[0] == 1:
            return self.V(H, N) / self.V(H, self.NRf(H))
        if p[0] == 2:
            return self.V(H, N) / (math.pow(self.NRf(H), p[17]) * math.pow(10, p[16]))
        return None

    def AB(self, H):
        p = self.p
        A = math.pow(H, p[2]) * (math.pow(10, p[14]) * (p[13] * p[1]))
        B = math.pow(H, p[4]) * (math.pow(10, p[14]) * (p[13] * p[3]))
        return A, B

    def curve(self, P, H):
        c = self.p[15]
        A, B = self.AB(H)
        a = A * math.pow(P, c)
        b = B * math.pow(P, c)
        u = b - P * (a - 1)
        s = math.sqrt(P * (a * 4 * b) + u * u)
        n1 = (-u + s) / 2 / a
        n2 = (-u - s) / 2 / a
        return n1 if P >= n1 else n2

    def through(self, bracket, N, H):
        c = self.p[15]
        A, B = self.AB(H)

        def f(x):
            return math.pow(x, c) * (B + N * A) - math.pow(x, c - 1) * (N * B + N * N * A) - N
        lower, upper = 100.0, bracket
        f0 = f(100.0)
        mid = None
        while upper - lower >= 0.05:
            mid = (upper + lower) / 2
            if f0 * f(mid) >= 0:
                lower = mid
            else:
                upper = mid
        if mid is None:
            return float(half_even(bracket))
        return float(half_even(mid))


def site_height(kind, M, b, k, age):
    t = float(age)
    if kind == 1:
        h = M * (1 - b * math.exp(-k * t))
        return max(h, 0.25) if h >= 0.25 else 0.25
    if kind == 2:
        return M / (b * math.exp(-k * t) + 1)
    return M * math.exp(-b * math.exp(-k * t))


RULE67 = '─' * 67
RULE29 = '─' * 29


def layout_heading_lines():
    # The heading rows are read from the layout document (LAYOUT_DOC) so that
    # the reference does not share a copy with the program.
    import re
    import os
    doc = os.environ['LAYOUT_DOC']
    lines = open(doc, encoding='utf-8').read().split('\n')
    out = []
    for l in lines[657:760]:
        m = re.match(r'^(\d+)\. "(.*)"$', l)
        if m:
            out.append(m.group(2))
    return out[1:11], out[12:]


class Out:
    def __init__(self):
        self.lines = []

    def add(self, s):
        self.lines.append(s)

    def bytes(self):
        return ''.join(l + '\r\n' for l in self.lines).encode('cp932')


def msg(title, text):
    sys.stderr.write('[%s] %s\n' % (title, text))


def std_fields(a, H, D, N, G, V, growth, mean, ry):
    return (field(a, 0, 4) + field(H, 1, 6) + field(D, 1, 6) + field(N, 0, 6) + field(G, 1, 6) +
            field(V, 1, 7) + field(growth, 1, 6) + field(mean, 1, 6) + field(ry, 2, 6))


def run_yield(prm, par, s, names, site_name, method_name):
    m = Model(prm)
    kind, M, b, k, band = par
    out = Out()
    yl, _ = layout_heading_lines()
    out.add('林分収穫予測表    使用ファイル：' + names[0] + ' & ' + names[1])
    out.add('  （地位' + site_name + '    間伐方式' + method_name + '）')
    out.add('')
    out.add(RULE67)
    for l in yl[:9]:
        out.add(l)
    out.add(RULE67)
    out.add(yl[9])
    out.add(RULE67)
    scale = s['scale']
    H = [0.0] * 202
    N = [0.0] * 202
    V = [0.0] * 202
    D = [0.0] * 202
    S = [0.0] * 202
    R = [0.0] * 202
    method = s['method']
    cpd = s['P']
    keys = [0.0] + list(s.get('keys', []))
    rates = [0.0] + list(s.get('rates', []))
    fromPlant = s['ssm'] == 1
    if fromPlant:
        a0 = 1
    else:
        a0 = s['age']
        p = a0 - 1
        H[p] = site_height(kind, scale, b, k, p)
        N[p] = m.curve(cpd, H[p])
        V[p] = m.V(H[p], N[p])
    cum = 0.0
    thinned = False
    onfull = False
    bk = dict(SA=0.0, ST=0.0, STR=0.0, VA=0.0, VT=0.0, VTR=0.0, BAA=0.0, BAT=0.0, DA=0.0, TD=0.0, RA=0.0)
    lo_, hi_ = s.get('from', 0), s.get('to', 0)
    if method == 4:
        up = lowb = s.get('ryt', 0)
    elif method == 5:
        up, lowb = s.get('ryu', 0), s.get('ryl', 0)
    elif method == 6:
        up, lowb = s.get('slu', 0), s.get('sll', 0)
    else:
        up = lowb = 0
    for a in range(a0, s['end'] + 1):
        VT = 0.0
        H[a] = site_height(kind, scale, b, k, a)
        if onfull:
            N[a] = m.NRf(H[a])
        else:
            N[a] = m.curve(cpd, H[a])
            if not thinned and not (fromPlant and a == a0):
                rN = N[a - 1] / N[a]
                rH = H[a - 1] / H[a]
                if rH != 0:
                    rH = math.pow(rH, prm[12])
                if rN > rH and m.NRf(H[a]) < N[a - 1]:
                    N[a] = m.NRf(H[a])
                    onfull = True
        thinned = False
        V[a] = m.V(H[a], N[a])
        Hh, Nn = H[a], N[a]
        BAB = m.G(Hh, Nn)
        D[a] = m.D(Hh, Nn)
        S[a] = Hh / D[a]
        R[a] = m.Ry(Hh, Nn)
        growth = V[a] - V[a - 1]
        if growth < 0:
            growth = V[a] - bk['VA']
        mean = V[a] / a

        def subcalc(kind1, i, preset):
            nonlocal cum, thinned, onfull, VT
            before = dict(preset)
            t = dict(bk)
            if kind1:
                t['ST'] = rates[i] * Nn
                t['SA'] = Nn - t['ST']
                t['STR'] = rates[i] * 100
                keys[i] = 10000
            else:
                t.update(preset['set'])
            if t['SA'] < 150:
                msg('SUBCALC', '間伐率 ' + general(t['STR']) + '％まで落せません。')
                t['SA'] = Nn if Nn < 150 else 150
                t['ST'] = Nn - t['SA']
                t['STR'] = t['ST'] * 100 / Nn
            if not (t['ST'] > 0):
                return False
            thinned = True
            onfull = False
            t['VA'] = m.V(Hh, t['SA'])
            VT = V[a] - t['VA']
            t['VT'] = VT
            t['VTR'] = math.floor(VT / V[a] * 100 + 0.5)
            cum += VT
            t['BAA'] = m.G(Hh, t['SA'])
            t['BAT'] = BAB - t['BAA']
            t['DA'] = m.D(Hh, t['SA'])
            t['TD'] = (D[a] * Nn - t['SA'] * t['DA']) / t['ST']
            t['RA'] = m.Ry(Hh, t['SA'])
            bk.update(t)
            return True

        inwin = lo_ < a < hi_
        if method in (1, 2, 3):
            for i in range(1, len(keys)):
                val = float(a) if method == 1 else (Hh if method == 2 else D[a])
                due = (val == keys[i]) if method == 1 else (val >= keys[i])
                if due:
                    subcalc(True, i, {})
        elif method == 4 and inwin and R[a] >= up:
            st = Nn * s['rate']
            subcalc(False, 0, {'set': dict(ST=st, SA=Nn - st, STR=s['rate'] * 100)})
        elif method == 5 and inwin and R[a] >= up and Nn > 150:
            ra = R[a]
            sa = Nn
            while True:
                if ra < lowb:
                    break
                sa -= 100
                if sa < 150:
                    sa = 150
                if Nn < sa:
                    sa = Nn
                ra = m.Ry(Hh, sa)
                if sa == 150:
                    break
            if sa != 150:
                while ra < lowb and sa < 100000:
                    sa += 10
                    ra = m.Ry(Hh, sa)
                while ra >= lowb and sa > 150:
                    sa -= 1
                    ra = m.Ry(Hh, sa)
            else:
                msg('TABLECALC Case5', '収量比数 ' + fmt(lowb, 2) + ' まで落せません。')
            st = Nn - sa
            subcalc(False, 0, {'set': dict(SA=sa, ST=st, STR=st / Nn * 100, RA=ra)})
        elif method == 6 and inwin and V[a] > 40 and S[a] >= up and Nn > 150:
            sa = Nn
            ra = bk['RA']
            sl = S[a]
            while sl >= lowb:
                sa -= 100
                if sa < 150:
                    sa = 150
                if Nn < sa:
                    sa = Nn
                ra = m.Ry(Hh, sa)
                if sa == 150 or ra < 0.3:
                    break
                sl = Hh / m.D(Hh, sa)
            if sa != 150 or ra >= 0.3:
                while sl < lowb and sa < 100000:
                    sa += 10
                    sl = Hh / m.D(Hh, sa)
                while sl >= lowb and sa > 150:
                    sa -= 1
                    if sa < 150:
                        sa = 150
                    sl = Hh / m.D(Hh, sa)
            else:
                msg('TABLECALC Case6', '形状比 ' + fmt(lowb * 100, 0) + ' まで落せません。')
            st = Nn - sa
            if subcalc(False, 0, {'set': dict(SA=sa, ST=st, STR=st / Nn * 100, RA=ra)}):
                S[a] = sl
        total = V[a] + cum - VT
        if thinned:
            t = bk
            out.add(std_fields(a, Hh, D[a], Nn, BAB, V[a], growth, mean, R[a]) +
                    field(t['TD'], 1, 5) + field(t['ST'], 0, 6) + field(t['STR'], 0, 4) +
                    field(t['BAT'], 1, 6) + field(VT, 1, 6) + field(t['VTR'], 0, 4) +
                    field(cum, 1, 7) + field(t['DA'], 1, 6) + field(t['SA'], 0, 6) +
                    field(t['BAA'], 1, 6) + field(t['VA'], 1, 7) + field(t['RA'], 2, 5) +
                    field(total, 1, 7) + field(a, 0, 4))
            cpd = m.through(cpd, t['SA'], Hh)
        elif a % 5 == 0:
            out.add(std_fields(a, Hh, D[a], Nn, BAB, V[a], growth, mean, R[a]) + ' ' * 68 +
                    field(total, 1, 7) + field(a, 0, 4))
    out.add(RULE67)
    return out.bytes()


def run_volume(prm, par, hnp, names, end=100):
    m = Model(prm)
    kind, M, b, k, band = par
    _, vl = layout_heading_lines()
    out = Out()
    for cls, scale, name in ((1, M * math.exp(band), '上'), (2, M, '中'), (3, M * math.exp(-band), '下')):
        out.add('        林分材積表     （地位 ' + name + '）')
        out.add('')
        out.add('  使用ファイル：' + names[0] + ', ' + names[1] + ', ' + names[2])
        out.add('')
        out.add(RULE29)
        for l in vl[:7]:
            out.add(l)
        out.add(RULE29)
        out.add(vl[7])
        out.add(RULE29)
        V = [0.0] * 202
        for a in range(1, end + 1):
            H = site_height(kind, scale, b, k, a)
            P1, P2, P3, P4 = hnp
            N = P4 - P1 * math.exp(-P2 * math.exp(-P3 * H))
            if m.NRf(H) < N:
                N = m.NRf(H)
            V[a] = m.V(H, N)
            G = m.G(H, N)
            D = m.D(H, N)
            R = m.Ry(H, N)
            growth = V[a] - V[a - 1]
            if growth < 0:
                growth = V[a] - 0.0
            mean = V[a] / a
            if (a + 2) % 5 == 0:
                out.add(field((a + 2) // 5, 0, 4) + field(a, 0, 4) + field(H, 1, 6) + field(D, 1, 6) +
                        field(N, 0, 6) + field(G, 1, 6) + field(V[a], 1, 7) + field(growth, 1, 6) +
                        field(mean, 1, 6) + field(R, 2, 6))
        out.add(RULE29)
        out.add('\f')
    return out.bytes()


METHOD_NAMES = {1: '林齢と間伐率', 2: '上層樹高と間伐率', 3: '胸高直径と間伐率', 4: '収量比数と間伐率',
                5: '収量比数の上限と下限', 6: '形状比の上限と下限'}


def main():
    import os
    cmd = sys.argv[1]
    if cmd == 'volume':
        prm, par, hnp = sys.argv[2:5]
        end = int(sys.argv[5]) if len(sys.argv) > 5 else 100
        data = run_volume(read_prm(prm), read_par(par), read_hnp(hnp),
                          [os.path.basename(prm), os.path.basename(par), os.path.basename(hnp)], end)
    else:
        prm, par = sys.argv[2:4]
        s = {}
        for kv in sys.argv[4:]:
            key, val = kv.split('=', 1)
            if key in ('keys', 'rates'):
                s[key] = [float(x) for x in val.split(',') if x]
            elif key == 'site':
                s[key] = val
            else:
                s[key] = float(val) if '.' in val else int(val)
        prmv = read_prm(prm)
        parv = read_par(par)
        kind, M, b, k, band = parv
        site = s['site']
        scale = {'上': M * math.exp(band), '中': M, '下': M * math.exp(-band)}.get(site, s.get('scale'))
        s['scale'] = scale
        m = Model(prmv)
        if s['ssm'] == 2:
            if 'H' in s:
                h = s['H']
            else:
                h = site_height(kind, scale, b, k, s['age'])
            if 'P' not in s:
                s['P'] = m.through(3.0 * s['N'], float(s['N']), h)
        data = run_yield(prmv, parv, s, [os.path.basename(prm), os.path.basename(par)], site,
                         METHOD_NAMES[s['method']])
    sys.stdout.buffer.write(data)


if __name__ == '__main__':
    main()
