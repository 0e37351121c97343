#pragma once

#include "BatchFile.h"
#include "Evaluation.h"
#include "FileAccess.h"
#include "ForceUnit.h"
#include "LineReport.h"
#include "SelectorCli.h"

#include <string>

namespace vyra {
struct RunState;
}

namespace vyra::cli {

// The line report of a batch. Its target is opened before the first row is
// read, so that one that cannot be written fails before a long batch runs;
// while the rows come, only each roller's verdicts and case are kept; at
// the end the pages are drawn into the file, each roller's from the record
// recordOf computes again just before they are drawn.
class LineReportOutput {
public:
    // batchFile names the rows' file on every page; calculationRecord adds
    // each roller's record after its pages.
    LineReportOutput(const std::string& path, const std::string& batchFile, Paper paper, gfx::RollerRecord recordOf,
                     bool calculationRecord);

    // Whether the target can be written; a failure names it.
    Expected<void> Target() const;
    // A row as it was evaluated.
    void Add(const BatchRow& row, const Evaluation& evaluation);
    // Draws and commits the report; a failure names the file.
    Expected<void> Finish(GraphicsOutputs& graphics);

private:
    std::string m_path;
    Paper m_paper;
    WholeFileWriter m_file;
    gfx::LineReportContent m_content;
};

}  // namespace vyra::cli
