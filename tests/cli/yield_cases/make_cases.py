#!/usr/bin/env python3
"""Writes the batch-tool yield cases: each folder holds case.run (and any
parameter file of its own), the command, and the expected table, standard
error and exit status. Table cases are computed twice, by the tool and by the
independent reference computation (../../core/yield/tools/reference_yield.py),
and written only when both agree byte for byte.

  LAYOUT_DOC=<layout document> python3 make_cases.py <path of morikoyomi-cli>
"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, '..', '..', '..'))
EXAMPLES = os.path.join(ROOT, 'examples')
REFERENCE = os.path.join(ROOT, 'tests', 'core', 'yield', 'tools', 'reference_yield.py')
CLI = sys.argv[1]

T1 = 'PrmFileName = sugi_type1.prm\nParFileName = sugi.PAR\n'
T2 = 'PrmFileName = sugi_type2.prm\nParFileName = sugi.PAR\n'

# name: (command, run file body, reference arguments or None, extra files)
CASES = {
    'method1_planting': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 1
ThinningMethod = 1
StemSettingMethod = 1
PlantingStemNumber = 3000
EndAge = 80
ThinningCount = 4
ThinningKey = 15, 22.5, 30, 45
ThinningRate = 0.2, 0.25, 0.3, 0.3
""", 'sugi_type1.prm sugi.PAR site=上 method=1 ssm=1 P=3000 end=80 keys=15,22.5,30,45 rates=0.2,0.25,0.3,0.3', {}),
    'method2_two_in_one_year': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 3
ThinningMethod = 2
StemSettingMethod = 2
CurrentAge = 12
CurrentStemNumber = 2500
EndAge = 90
ThinningCount = 3
ThinningKey = 9, 9.1, 16
ThinningRate = 0.2, 0.1, 0.3
""", 'sugi_type1.prm sugi.PAR site=下 method=2 ssm=2 age=12 N=2500 end=90 keys=9,9.1,16 rates=0.2,0.1,0.3', {}),
    'method3_type2': ('yield', '[RunSettings]\n' + T2 + """SiteClass = 2
ThinningMethod = 3
StemSettingMethod = 1
PlantingStemNumber = 4000
EndAge = 100
ThinningCount = 4
ThinningKey = 12, 12.5, 18, 26
ThinningRate = 0.3, 0.1, 0.3, 0.4
""", 'sugi_type2.prm sugi.PAR site=中 method=3 ssm=1 P=4000 end=100 keys=12,12.5,18,26 rates=0.3,0.1,0.3,0.4', {}),
    'method4_planting': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 2
ThinningMethod = 4
StemSettingMethod = 1
PlantingStemNumber = 3000
EndAge = 100
RyTarget = 0.80
BoundThinningRate = 0.25
ThinningFromAge = 14
ThinningToAge = 71
""", 'sugi_type1.prm sugi.PAR site=中 method=4 ssm=1 P=3000 end=100 ryt=0.80 rate=0.25 from=14 to=71', {}),
    'method4_every_year': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 1
ThinningMethod = 4
StemSettingMethod = 1
PlantingStemNumber = 5000
EndAge = 40
RyTarget = 0.60
BoundThinningRate = 0.05
ThinningFromAge = 19
ThinningToAge = 31
""", 'sugi_type1.prm sugi.PAR site=上 method=4 ssm=1 P=5000 end=40 ryt=0.60 rate=0.05 from=19 to=31', {}),
    'method5_current': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 2
ThinningMethod = 5
StemSettingMethod = 2
CurrentAge = 20
CurrentStemNumber = 2600
EndAge = 100
RyUpper = 0.80
RyLower = 0.65
ThinningFromAge = 19
ThinningToAge = 81
""", 'sugi_type1.prm sugi.PAR site=中 method=5 ssm=2 age=20 N=2600 end=100 ryu=0.80 ryl=0.65 from=19 to=81', {}),
    'method5_floor_message': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 2
ThinningMethod = 5
StemSettingMethod = 1
PlantingStemNumber = 2000
EndAge = 50
RyUpper = 0.70
RyLower = 0.02
ThinningFromAge = 20
ThinningToAge = 51
""", 'sugi_type1.prm sugi.PAR site=中 method=5 ssm=1 P=2000 end=50 ryu=0.70 ryl=0.02 from=20 to=51', {}),
    'method6_planting': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 1
ThinningMethod = 6
StemSettingMethod = 1
PlantingStemNumber = 5000
EndAge = 100
SlendernessUpper = 0.80
SlendernessLower = 0.70
ThinningFromAge = 9
ThinningToAge = 101
""", 'sugi_type1.prm sugi.PAR site=上 method=6 ssm=1 P=5000 end=100 slu=0.80 sll=0.70 from=9 to=101', {}),
    'method6_current': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 3
ThinningMethod = 6
StemSettingMethod = 2
CurrentAge = 15
CurrentStemNumber = 3000
EndAge = 70
SlendernessUpper = 0.85
SlendernessLower = 0.78
ThinningFromAge = 15
ThinningToAge = 61
""", 'sugi_type1.prm sugi.PAR site=下 method=6 ssm=2 age=15 N=3000 end=70 slu=0.85 sll=0.78 from=15 to=61', {}),
    'method1_current_age1': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 2
ThinningMethod = 1
StemSettingMethod = 2
CurrentAge = 1
CurrentStemNumber = 3500
EndAge = 60
ThinningCount = 2
ThinningKey = 18, 30
ThinningRate = 0.97, 0.3
""", 'sugi_type1.prm sugi.PAR site=中 method=1 ssm=2 age=1 N=3500 end=60 keys=18,30 rates=0.97,0.3', {}),
    'site4_method4': ('yield', '[RunSettings]\n' + T1 + """SiteClass = 4
SiteCurveScale = 27.5
ThinningMethod = 4
CurrentStemNumber = 1800
EndAge = 100
RyTarget = 0.75
BoundThinningRate = 0.3
ThinningFromAge = 24
ThinningToAge = 71

[CurrentStandState]
SiteText = 中・推定
SiteCalcAge = 25
SiteCalcHeight = 13.2
""", 'sugi_type1.prm sugi.PAR site=中・推定 scale=27.5 method=4 ssm=2 age=25 H=13.2 N=1800 end=100 ryt=0.75 rate=0.3 from=24 to=71', {}),
    'wide_volume': ('yield', """[RunSettings]
PrmFileName = dense.prm
ParFileName = sugi.PAR
SiteClass = 1
ThinningMethod = 1
StemSettingMethod = 1
PlantingStemNumber = 3000
EndAge = 60
ThinningCount = 1
ThinningKey = 40
ThinningRate = 0.3
""", 'dense.prm sugi.PAR site=上 method=1 ssm=1 P=3000 end=60 keys=40 rates=0.3', {
        'dense.prm': ['林分密度管理図パラメータ', '1', '0.0000002', '-1.5', '10', '-2.7', '0.9', '0.38',
                      '0.05', '0', '0.98', '0.02', '5.3', '-1.4', '1', '3.8', '0.4', '0', '0']}),
    'uncomputable_year': ('yield', """[RunSettings]
PrmFileName = broken.prm
ParFileName = sugi.PAR
SiteClass = 2
ThinningMethod = 4
StemSettingMethod = 1
PlantingStemNumber = 3000
EndAge = 100
RyTarget = 0.8
BoundThinningRate = 0.2
ThinningFromAge = 10
ThinningToAge = 90
""", None, {
        'broken.prm': ['林分密度管理図パラメータ', '1', '0.084', '-1.5', '-5490', '-2.7', '0.9', '0.38',
                       '0.05', '0', '0.98', '0.02', '5.3', '-1.4', '1', '1', '0.4', '0', '0']}),
    'diagram_type3': ('yield', """[RunSettings]
PrmFileName = type3.prm
ParFileName = sugi.PAR
SiteClass = 2
ThinningMethod = 4
StemSettingMethod = 1
PlantingStemNumber = 3000
EndAge = 100
""", None, {
        'type3.prm': ['林分密度管理図パラメータ', '3', '0.084', '-1.5', '5490', '-2.7', '0.9', '0.38',
                      '0.05', '0', '0.98', '0.02', '5.3', '-1.4', '1', '1', '0.4', '0', '0']}),
    'volume_table': ('volume', '[RunSettings]\nPrmFileName = sugi_type1.prm\nParFileName = sugi.PAR\n'
                     'HnpFileName = sugi.HNP\n', 'VOLUME sugi_type1.prm sugi.PAR sugi.HNP', {}),
    'volume_type2_end60': ('volume', '[RunSettings]\nPrmFileName = sugi_type2.prm\nParFileName = sugi.PAR\n'
                           'HnpFileName = sugi.HNP\nEndAge = 60\n',
                           'VOLUME sugi_type2.prm sugi.PAR sugi.HNP 60', {}),
    'error_unknown_key': ('yield', '[RunSettings]\n' + T1 + 'SiteClass = 2\nThinnigMethod = 4\n', None, {}),
    'error_not_a_number': ('yield', '[RunSettings]\n' + T1 + 'SiteClass = 2\nThinningMethod = 4\n'
                           'StemSettingMethod = 1\nPlantingStemNumber = 3000本\n', None, {}),
    'error_list_length': ('yield', '[RunSettings]\n' + T1 + 'SiteClass = 2\nThinningMethod = 1\n'
                          'StemSettingMethod = 1\nPlantingStemNumber = 3000\nThinningCount = 3\n'
                          'ThinningKey = 15, 25\nThinningRate = 0.2, 0.2, 0.2\n', None, {}),
    'error_missing_par': ('yield', '[RunSettings]\nPrmFileName = sugi_type1.prm\nSiteClass = 2\n'
                          'ThinningMethod = 4\nStemSettingMethod = 1\nPlantingStemNumber = 3000\n', None, {}),
    'error_scale_given': ('yield', '[RunSettings]\n' + T1 + 'SiteClass = 2\nSiteCurveScale = 25\n'
                          'ThinningMethod = 4\nStemSettingMethod = 1\nPlantingStemNumber = 3000\n', None, {}),
    'error_unknown_section': ('yield', '[Run]\n' + T1, None, {}),
    'error_end_not_after_age': ('yield', '[RunSettings]\n' + T1 + 'SiteClass = 2\nThinningMethod = 4\nStemSettingMethod = 2\n'
                                'CurrentAge = 100\nCurrentStemNumber = 800\nEndAge = 50\n', None, {}),
    'error_thinning_after_end': ('yield', '[RunSettings]\n' + T1 + 'SiteClass = 1\nThinningMethod = 1\nStemSettingMethod = 1\n'
                                 'PlantingStemNumber = 3000\nEndAge = 80\nThinningCount = 2\n'
                                 'ThinningKey = 15, 150\nThinningRate = 0.2, 0.3\n', None, {}),
    'error_thinning_out_of_order': ('yield', '[RunSettings]\n' + T1 + 'SiteClass = 1\nThinningMethod = 2\nStemSettingMethod = 1\n'
                                    'PlantingStemNumber = 3000\nEndAge = 80\nThinningCount = 2\n'
                                    'ThinningKey = 15, 8\nThinningRate = 0.2, 0.3\n', None, {}),
    'volume_mismatch': ('volume', '[RunSettings]\nPrmFileName = sugi_type1.prm\nParFileName = sugi.PAR\n'
                        'HnpFileName = other/sugi.HNP\n', None, {'other/sugi.HNP': None}),
}


def write_cp932(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(''.join(l + '\r\n' for l in lines).encode('cp932'))


def main():
    env = dict(os.environ)
    for name, (command, body, ref, extra) in CASES.items():
        work = tempfile.mkdtemp()
        for f in os.listdir(EXAMPLES):
            if f.startswith('sugi'):
                shutil.copy(os.path.join(EXAMPLES, f), work)
        for rel, lines in extra.items():
            if lines is None:
                os.makedirs(os.path.dirname(os.path.join(work, rel)), exist_ok=True)
                shutil.copy(os.path.join(EXAMPLES, os.path.basename(rel)), os.path.join(work, rel))
            else:
                write_cp932(os.path.join(work, rel), lines)
        with open(os.path.join(work, 'case.run'), 'w', encoding='utf-8') as f:
            f.write(body)
        p = subprocess.run([CLI, command, os.path.join(work, 'case.run')], capture_output=True)
        suffix = '.150' if command == 'yield' else '.80'
        produced = os.path.join(work, 'YIELD_AA' + suffix)
        table = open(produced, 'rb').read() if os.path.exists(produced) else None
        if ref is not None:
            args = ref.split()
            if args[0] == 'VOLUME':
                refargs = ['volume'] + args[1:]
            else:
                refargs = ['yield'] + args
            r = subprocess.run([sys.executable, REFERENCE] + refargs, cwd=work, capture_output=True, env=env)
            if r.returncode != 0 or r.stdout != table or r.stderr != p.stderr:
                print('DISAGREE', name, r.stderr.decode()[:500], p.stderr.decode()[:500])
                sys.exit(1)
        out = os.path.join(HERE, name)
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out)
        with open(os.path.join(out, 'case.run'), 'w', encoding='utf-8') as f:
            f.write(body)
        for rel, lines in extra.items():
            if lines is not None:
                write_cp932(os.path.join(out, rel), lines)
            else:
                os.makedirs(os.path.dirname(os.path.join(out, rel)), exist_ok=True)
                open(os.path.join(out, rel + '.copy'), 'w').write(os.path.basename(rel) + '\n')
        open(os.path.join(out, 'command'), 'w').write(command + '\n')
        open(os.path.join(out, 'expected.rc'), 'w').write('%d\n' % p.returncode)
        open(os.path.join(out, 'expected.err'), 'wb').write(p.stderr.replace(work.encode(), b'@DIR@'))
        if table is not None:
            open(os.path.join(out, 'expected' + suffix), 'wb').write(table)
        print('%-28s rc=%d %s%s' % (name, p.returncode, 'table ' if table else '',
                                    'checked' if ref else ''))
        shutil.rmtree(work)


main()
