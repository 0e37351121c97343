// Checks the rows of a report, as pdftotext -layout gives them, against
// the figures vyra-select --json computed for the same case: every shown
// figure must be the JSON value rounded to the decimals shown.
//
// report_rows_check REPORT.txt RESULT.json; exit 0 when every row agrees.
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;

struct Row {
    std::vector<std::string> figures;
};

// The report's rows of the model: "N Name figures...", page 1's first.
std::vector<Row> RowsOf(const std::string& report, int number, const std::string& name)
{
    std::vector<Row> rows;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string first;
        std::string second;
        if (words >> first >> second && first == std::to_string(number) && second == name) {
            Row row;
            for (std::string figure; words >> figure;) {
                row.figures.push_back(figure);
            }
            rows.push_back(row);
        }
    }
    return rows;
}

int Decimals(const std::string& figure)
{
    const std::size_t point = figure.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(figure.size() - point - 1);
}

bool Agrees(const std::string& figure, double value)
{
    const double shown = std::stod(figure);
    return std::abs(shown - value) <= 0.5 * std::pow(10.0, -Decimals(figure)) + 1e-9;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: report_rows_check REPORT.txt RESULT.json\n";
        return 2;
    }
    std::ifstream reportFile(argv[1]);
    std::ifstream jsonFile(argv[2]);
    const std::string report((std::istreambuf_iterator<char>(reportFile)), std::istreambuf_iterator<char>());
    const Json result = Json::parse(jsonFile);
    // The JSON holds forces in kgf and outputs in mV; the page shows forces
    // in the run's unit (9.8 N to the kgf, as the catalogue is rated) and
    // outputs in V.
    const double force = result.at("unit") == "N" ? 9.8 : 1;
    const std::vector<std::vector<std::pair<std::string, double>>> sets{
        {{"P1", force},
         {"We", force},
         {"P", force},
         {"Zt", 1},
         {"Zr", 1},
         {"Zs", 1},
         {"Vt", 1e-3},
         {"Vr", 1e-3},
         {"S", 1}},
        {{"F1", 1}, {"F2", 1}, {"F3", 1}, {"F1/F2", 1}, {"F1/F3", 1}, {"E", 1}, {"PB", force}}};
    int disagreements = 0;
    int checked = 0;
    for (const Json& model : result.at("models")) {
        const int number = model.at("index").get<int>() + 1;
        const std::string name = model.at("name").get<std::string>();
        const std::vector<Row> rows = RowsOf(report, number, name);
        if (rows.size() != sets.size()) {
            std::cerr << name << ": " << rows.size() << " rows in the report, expected " << sets.size() << '\n';
            ++disagreements;
            continue;
        }
        for (std::size_t set = 0; set < sets.size(); ++set) {
            for (std::size_t column = 0; column < sets[set].size(); ++column) {
                const auto& [key, scale] = sets[set][column];
                const double value = key == "F1/F2"   ? model.at("F1").get<double>() / model.at("F2").get<double>()
                                     : key == "F1/F3" ? model.at("F1").get<double>() / model.at("F3").get<double>()
                                                      : model.at(key).get<double>() * scale;
                const std::string& figure = rows[set].figures.at(column);
                ++checked;
                if (!Agrees(figure, value)) {
                    std::cerr << name << ' ' << key << ": report " << figure << ", computed " << value << '\n';
                    ++disagreements;
                }
            }
        }
    }
    std::cout << checked << " figures checked, " << disagreements << " disagree\n";
    return disagreements == 0 && checked > 0 ? 0 : 1;
}
