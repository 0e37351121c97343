// Written by scripts/materials-data.py from files/materials.csv; do not edit.
#include "ShippedMaterials.h"

#include <optional>
#include <utility>
#include <vector>

namespace vyra {

const MaterialTable& ShippedMaterialTable()
{
    static const MaterialTable table = [] {
        MaterialTable rows;
        for (WebMaterial& material : std::vector<WebMaterial>{
                 {"paper", TensionBasis::Grammage, 2.690, 3.228, 3.766, 50, std::nullopt,
                  "Tension-controls maker, Typical running tensions (50-100 lb paper at 1.25-3.5 pli, 3000 sq ft "
                  "ream); Paper physics handbook, Tensile index of printing papers"},
                 {"board", TensionBasis::Thickness, 1.839, 2.212, 2.586, 30, std::nullopt,
                  "Tension-controls maker, Typical running tensions (8-30 point board at 3-8 pli); Paperboard "
                  "handbook, Tensile strength of folding boxboard"},
                 {"PET", TensionBasis::Thickness, 5.171, 5.171, 5.171, 200, std::nullopt,
                  "Tension-controls maker, Typical running tensions (0.75 pli/mil); Plastics film handbook, Tensile "
                  "strength of oriented polyester film"},
                 {"BOPP", TensionBasis::Thickness, 1.724, 1.724, 2.068, 140, std::nullopt,
                  "Tension-controls maker, Typical running tensions (PP 0.25 pli/mil); Converter-equipment maker, Film "
                  "tension guide (0.3 pli/mil); Plastics film handbook, Tensile strength of oriented polypropylene "
                  "film"},
                 {"PE", TensionBasis::Thickness, 1.724, 1.724, 2.068, 20, std::nullopt,
                  "Tension-controls maker, Typical running tensions (0.25 pli/mil); Converter-equipment maker, Film "
                  "tension guide (0.3 pli/mil); Plastics film handbook, Tensile strength of low-density polyethylene "
                  "film"},
                 {"PP", TensionBasis::Thickness, 1.724, 1.724, 2.068, 40, std::nullopt,
                  "Tension-controls maker, Typical running tensions (0.25 pli/mil); Converter-equipment maker, Film "
                  "tension guide (0.3 pli/mil); Plastics film handbook, Tensile strength of cast polypropylene film"},
                 {"nylon", TensionBasis::Thickness, 1.724, 1.724, 2.068, 70, std::nullopt,
                  "Tension-controls maker, Typical running tensions (0.25 pli/mil); Converter-equipment maker, Film "
                  "tension guide (0.3 pli/mil); Plastics film handbook, Tensile strength of cast nylon film"},
                 {"PVC", TensionBasis::Thickness, 1.034, 1.034, 1.034, 50, std::nullopt,
                  "Tension-controls maker, Typical running tensions (vinyl 0.15 pli/mil); Plastics film handbook, "
                  "Tensile strength of rigid PVC film"},
                 {"aluminium-foil", TensionBasis::Thickness, 6.895, 6.895, 6.895, 70, std::nullopt,
                  "Tension-controls maker, Typical running tensions (1.0 pli/mil); Aluminium handbook, Tensile "
                  "strength of soft-annealed foil"},
                 {"laminate", TensionBasis::Layers, 17.51, 17.51, 17.51, std::nullopt, std::nullopt,
                  "Tension-controls maker, Typical running tensions (sum of the layers plus 0.1 pli)"},
                 {"steel-strip", TensionBasis::Yield, 5, 10, 20, 400, 250,
                  "Strip-processing handbook, Strip tension as a share of yield strength; Metals handbook, Low-carbon "
                  "cold-rolled strip"},
                 {"aluminium-strip", TensionBasis::Yield, 5, 10, 20, 130, 100,
                  "Strip-processing handbook, Strip tension as a share of yield strength; Metals handbook, Half-hard "
                  "aluminium strip"},
             }) {
            rows.Put(std::move(material));
        }
        return rows;
    }();
    return table;
}

}  // namespace vyra
