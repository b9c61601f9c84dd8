#!/bin/sh
# Regenerates the expected plan tables and messages of every case with the
# independent computation in ../reference. Run from anywhere.
set -e
here=$(cd "$(dirname "$0")" && pwd)
for case in "$here"/*.json; do
    name=$(basename "$case" .json)
    prm=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['PrmName'])" "$case")
    python3 "$here/../reference/plan_reference.py" "$here/$prm" "$here/sugi.PAR" "$case" \
        "$here/$name.160" "$here/$name.msg"
done
