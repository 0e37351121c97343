#include "LineReportOutput.h"

#include "ResultColumns.h"

#include <utility>

namespace vyra::cli {

LineReportOutput::LineReportOutput(const std::string& path, const std::string& batchFile, Paper paper,
                                   gfx::RollerRecord recordOf, bool calculationRecord)
    : m_path(path), m_paper(paper), m_file(path)
{
    m_content.batchFile = batchFile;
    m_content.recordOf = std::move(recordOf);
    m_content.calculationRecord = calculationRecord;
}

Expected<void> LineReportOutput::Target() const
{
    if (m_file.FirstFailure()) {
        return Failed(m_path + ": " + m_file.FirstFailure()->reason);
    }
    return {};
}

void LineReportOutput::Add(const BatchRow& row, const Evaluation& evaluation)
{
    if (m_content.rollers.empty()) {
        m_content.customer = gfx::CustomerOf(row.input);
    }
    gfx::LineRoller& roller = m_content.rollers.emplace_back();
    roller.line = row.number;
    roller.id = row.id;
    roller.input = row.input;
    if (evaluation.refusal) {
        roller.refusal = TerminalText(*evaluation.refusal);
        return;
    }
    for (int model = 0; model < kModelCount; ++model) {
        roller.passed[model] = PassedSets(evaluation.selection, model);
    }
}

Expected<void> LineReportOutput::Finish(GraphicsOutputs& graphics)
{
    Expected<void> written = graphics.DrawLineReport(m_content, m_paper, m_file);
    if (written) {
        written = m_file.Commit();
    }
    if (!written) {
        return Failed(m_path + ": " + written.Error().reason);
    }
    return {};
}

}  // namespace vyra::cli
