#include "LineReportOutput.h"

#include "ResultColumns.h"

#include <utility>

namespace vyra::cli {

LineReportOutput::LineReportOutput(const std::string& path, gfx::RollerRecord recordOf) : m_path(path), m_file(path)
{
    m_content.recordOf = std::move(recordOf);
}

std::optional<std::string> LineReportOutput::Failure() const
{
    if (!m_file.Failure()) {
        return std::nullopt;
    }
    return m_path + ": " + *m_file.Failure();
}

void LineReportOutput::Add(const BatchRow& row, const RunState* computed, std::string refusal)
{
    if (m_content.rollers.empty()) {
        m_content.customer = gfx::CustomerOf(row.input);
    }
    gfx::LineRoller& roller = m_content.rollers.emplace_back();
    roller.line = row.number;
    roller.id = row.id;
    roller.input = row.input;
    roller.refusal = std::move(refusal);
    if (computed == nullptr) {
        return;
    }
    for (int model = 0; model < kModelCount; ++model) {
        roller.passed[model] = PassedSets(*computed, model);
    }
}

std::optional<std::string> LineReportOutput::Finish(GraphicsOutputs& graphics)
{
    std::optional<std::string> reason = graphics.DrawLineReport(m_content, m_file);
    if (!reason) {
        reason = m_file.Commit();
    }
    if (!reason) {
        return std::nullopt;
    }
    return m_path + ": " + *reason;
}

}  // namespace vyra::cli
