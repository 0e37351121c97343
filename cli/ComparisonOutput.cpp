#include "ComparisonOutput.h"

#include "CsvOutput.h"
#include "JsonOutput.h"
#include "Utf8.h"

#include <algorithm>

namespace vyra::cli {

namespace {

constexpr std::size_t kGap = 2;

// The rows below a model's verdict stand indented under its name.
std::string LabelOf(const ComparisonRow& row) { return UnderModel(row) ? "  " + row.label : row.label; }

void Pad(std::string& line, std::size_t width) { line.append(width > line.size() ? width - line.size() : 0, ' '); }

// The case numbers, from 1, whose cells of the row are marked.
std::string CaseNumbers(const std::vector<bool>& marked)
{
    std::string numbers;
    for (std::size_t k = 0; k < marked.size(); ++k) {
        if (marked[k]) {
            numbers += (numbers.empty() ? "" : " ") + std::to_string(k + 1);
        }
    }
    return numbers;
}

}  // namespace

std::string ComparisonText(const Comparison& comparison)
{
    const std::size_t cases = comparison.files.size();
    std::size_t labelWidth = 0;
    std::vector<std::size_t> widths(cases, 0);
    for (std::size_t k = 0; k < cases; ++k) {
        widths[k] = comparison.files[k].size();
    }
    for (const ComparisonRow& row : comparison.rows) {
        labelWidth = std::max(labelWidth, LabelOf(row).size());
        for (std::size_t k = 0; k < cases; ++k) {
            widths[k] = std::max(widths[k], MarkedCell(row, k).size());
        }
    }
    std::vector<std::size_t> starts;
    std::size_t at = labelWidth + kGap;
    for (const std::size_t width : widths) {
        starts.push_back(at);
        at += width + kGap;
    }
    const auto line = [&](const std::string& label, const auto& cellOf) {
        std::string text = label;
        for (std::size_t k = 0; k < cases; ++k) {
            Pad(text, starts[k]);
            text += cellOf(k);
        }
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        return text + "\n";
    };
    std::string text = "Comparison of " + std::to_string(cases) + " cases\n";
    text += line("", [&](std::size_t k) { return comparison.files[k]; });
    for (const ComparisonRow& row : comparison.rows) {
        text += line(LabelOf(row), [&](std::size_t k) { return MarkedCell(row, k); });
    }
    text += "* differs from the first case; [ ] the best verdict of the model's row.\n";
    for (const std::string& note : ComparisonNotes(comparison)) {
        text += note + "\n";
    }
    return text;
}

std::string ComparisonCsv(const Comparison& comparison)
{
    std::string csv = "item";
    for (const std::string& file : comparison.files) {
        csv += ',';
        AppendCsvCell(csv, file, true);
    }
    csv += ",differs,best\r\n";
    for (const ComparisonRow& row : comparison.rows) {
        AppendCsvCell(csv, row.label);
        for (const std::string& cell : row.cells) {
            csv += ',';
            AppendCsvCell(csv, cell, row.kind == RowKind::Input);
        }
        csv += ',';
        AppendCsvCell(csv, CaseNumbers(row.differs));
        csv += ',';
        AppendCsvCell(csv, CaseNumbers(row.best));
        csv += "\r\n";
    }
    return csv;
}

std::string ComparisonJson(const Comparison& comparison, std::span<const Evaluation> evaluations)
{
    std::string json = "{\"cases\":[";
    for (std::size_t k = 0; k < evaluations.size(); ++k) {
        std::string leading = "\"file\":";
        AppendJsonString(leading, comparison.files[k]);
        leading += ',';
        json += k > 0 ? "," : "";
        const Evaluation& evaluation = evaluations[k];
        if (evaluation.refusal) {
            AppendJsonRefusal(*evaluation.refusal, json, leading, evaluation.calculationId);
        } else {
            AppendJsonResult(evaluation, json, leading);
        }
        json.pop_back();  // each document's own line end
    }
    json += "],\"differences\":[";
    for (std::size_t k = 0; k < comparison.differences.size(); ++k) {
        json += k > 0 ? ",\"" : "\"";
        json += comparison.differences[k];
        json += '"';
    }
    return json + "]}\n";
}

}  // namespace vyra::cli
