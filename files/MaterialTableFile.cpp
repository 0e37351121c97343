#include "MaterialTableFile.h"

#include "FileAccess.h"

#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>

namespace vyra {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// A link is there even when what it points to is not.
bool NothingAt(const std::string& path)
{
    struct stat status { };
    return ::lstat(path.c_str(), &status) != 0 && errno == ENOENT;
}

}  // namespace

UserMaterialFile FindUserMaterialFile()
{
    if (std::string chosen = Environment("VYRA_MATERIALS_FILE"); !chosen.empty()) {
        return {chosen, true};
    }
    std::string folder = Environment("XDG_CONFIG_HOME");
    if (folder.empty()) {
        const std::string home = Environment("HOME");
        if (home.empty()) {
            return {{}, false};
        }
        folder = home + "/.config";
    }
    return {folder + "/VyraSensorSelector/materials.csv", false};
}

Expected<MaterialTable> LoadMaterialTable(const UserMaterialFile& file)
{
    MaterialTable table = BuiltInMaterials();
    if (file.path.empty()) {
        return table;
    }
    const std::string& path = file.path;
    Expected<std::string> text = ReadRegularFile(path, kMaxMaterialFileBytes);
    const bool missing = !text && text.Error().kind == Failure::Kind::System && text.Error().errorNumber == ENOENT;
    if (missing && !file.named && NothingAt(path)) {
        return table;
    }
    if (missing && !NothingAt(path)) {
        return Failed(path + ": it is a link to a file that is not there");
    }
    if (!text) {
        const bool tooLarge = text.Error().kind == Failure::Kind::TooLarge;
        return Failed(path + ": " + (tooLarge ? std::string("it is larger than 1 MiB") : text.Error().reason));
    }
    Expected<std::vector<WebMaterial>> rows = ParseMaterialFile(*text);
    if (!rows) {
        return Failed(path + ": " + rows.Error().reason);
    }
    for (WebMaterial& m : *rows) {
        table.Put(std::move(m));
    }
    return table;
}

const Expected<MaterialTable>& RunMaterialTable::Get()
{
    if (!m_table) {
        m_table.emplace(LoadMaterialTable(m_file));
    }
    return *m_table;
}

}  // namespace vyra
