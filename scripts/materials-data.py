#!/usr/bin/env python3
"""Writes engine/ShippedMaterials.cpp from files/materials.csv: the shipped
material table as C++ data, for builds without the CSV reader (the page).
Run it after changing materials.csv; a test checks that both agree."""
import csv
import json
import subprocess
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BASES = {"thickness": "Thickness", "grammage": "Grammage", "yield": "Yield", "layers": "Layers"}


def text(value):
    """A C++ string literal of the UTF-8 text."""
    return json.dumps(value, ensure_ascii=False)


def optional(value):
    return value if value.strip() else "std::nullopt"


def row(material):
    return (f"        {{{text(material['name'])}, TensionBasis::{BASES[material['basis']]}, {material['low']}, "
            f"{material['typical']}, {material['high']}, {optional(material['break'])}, "
            f"{optional(material['yield'])},\n         {text(material['source'])}}},")


def main():
    with open(ROOT / "files/materials.csv", newline="", encoding="utf-8") as table:
        rows = [row(material) for material in csv.DictReader(table)]
    source = "\n".join([
        "// Written by scripts/materials-data.py from files/materials.csv; do not edit.",
        '#include "ShippedMaterials.h"',
        "",
        "#include <optional>",
        "#include <utility>",
        "#include <vector>",
        "",
        "namespace vyra {",
        "",
        "const MaterialTable& ShippedMaterialTable()",
        "{",
        "    static const MaterialTable table = [] {",
        "        MaterialTable rows;",
        "        for (WebMaterial& material : std::vector<WebMaterial>{",
        *rows,
        "             }) {",
        "            rows.Put(std::move(material));",
        "        }",
        "        return rows;",
        "    }();",
        "    return table;",
        "}",
        "",
        "}  // namespace vyra",
        "",
    ])
    target = ROOT / "engine/ShippedMaterials.cpp"
    target.write_text(source, encoding="utf-8")
    subprocess.run(["clang-format", "-i", str(target)], check=True)


main()
