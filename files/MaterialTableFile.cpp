#include "MaterialTableFile.h"

#include "FileAccess.h"
#include "MaterialFile.h"

#include <cerrno>
#include <cstdlib>

namespace vyra {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::string UserMaterialFilePath()
{
    if (std::string chosen = Environment("VYRA_MATERIALS_FILE"); !chosen.empty()) {
        return chosen;
    }
    std::string folder = Environment("XDG_CONFIG_HOME");
    if (folder.empty()) {
        const std::string home = Environment("HOME");
        if (home.empty()) {
            return {};
        }
        folder = home + "/.config";
    }
    return folder + "/VyraSensorSelector/materials.csv";
}

Expected<MaterialTable> LoadMaterialTable(const std::string& userPath)
{
    MaterialTable table = BuiltInMaterials();
    if (userPath.empty()) {
        return table;
    }
    Expected<std::string> text = ReadRegularFile(userPath, kMaxMaterialFileBytes);
    if (!text && text.Error().kind == Failure::Kind::System && text.Error().errorNumber == ENOENT) {
        return table;
    }
    if (!text) {
        const bool tooLarge = text.Error().kind == Failure::Kind::TooLarge;
        return Failed(userPath + ": " + (tooLarge ? std::string("it is larger than 1 MiB") : text.Error().reason));
    }
    Expected<std::vector<WebMaterial>> rows = ParseMaterialFile(*text);
    if (!rows) {
        return Failed(userPath + ": " + rows.Error().reason);
    }
    for (WebMaterial& m : *rows) {
        table.Put(std::move(m));
    }
    return table;
}

}  // namespace vyra
