#!/usr/bin/env python3
# report_rows_check.py REPORT.txt RESULT.json: every figure of a report's
# text (as pdftotext gives it) or of vyra-select's text tables is the JSON
# value of the same case rounded to the decimals shown, "---" for null; exit
# 0 when all agree. A row is its label ("N Name") and the figures after it,
# however the text is broken into lines; a figure's "*" mark is left.
import json
import sys
from pathlib import Path

report, computed = sys.argv[1:]
words = Path(report).read_text(encoding="utf-8").split()
result = json.loads(Path(computed).read_text(encoding="utf-8"))
# The JSON holds forces in kgf and outputs in mV; the page shows forces in
# the run's unit (9.8 N to the kgf, as the catalogue is rated) and outputs in V.
force = 9.8 if result["unit"] == "N" else 1
pages = [["P1", "We", "P", "Zt", "Zr", "Zs", "Vt", "Vr", "S"], ["F1", "F2", "F3", "F1/F2", "F1/F3", "E", "PB"]]
checked = disagreements = 0
for model in result["models"]:
    name = model["name"]
    label = [str(model["index"] + 1), name]
    model_rows = [words[at + 2 :] for at in range(len(words) - 1) if words[at : at + 2] == label]
    if len(model_rows) != len(pages):
        print(f"{name}: {len(model_rows)} rows in the report, expected {len(pages)}", file=sys.stderr)
        disagreements += 1
        continue
    for keys, figures in zip(pages, model_rows):
        for key, figure in zip(keys, (figure.rstrip("*") for figure in figures)):
            scale = 1e-3 if key in ("Vt", "Vr") else force if key[0] == "P" or key == "We" else 1
            over, _, under = key.partition("/")
            known = model[over] is not None and model.get(under, 1) is not None
            value = (model[over] / model[under] if under else model[key] * scale) if known else None
            decimals = len(figure) - figure.index(".") - 1 if "." in figure else 0
            checked += 1
            if figure != "---" if value is None else abs(float(figure) - value) > 0.5 * 10**-decimals + 1e-9:
                print(f"{name} {key}: report {figure}, computed {value}", file=sys.stderr)
                disagreements += 1
print(f"{checked} figures checked, {disagreements} disagree")
sys.exit(0 if disagreements == 0 and checked > 0 else 1)
