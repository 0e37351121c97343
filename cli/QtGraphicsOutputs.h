#pragma once

#include "SelectorCli.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QGuiApplication;

namespace vyra::cli {

// The report as PDF or on the default printer, and the sketch as PNG,
// drawn with Qt. Creates the toolkit's application object on first use.
class QtGraphicsOutputs : public GraphicsOutputs {
public:
    // argv: the program's words, program name first; printing runs them again
    // in a child process.
    explicit QtGraphicsOutputs(std::vector<std::string> argv);
    ~QtGraphicsOutputs() override;
    int Produce(const GraphicsRequest& request, const Case& input, const Evaluation& evaluation,
                std::ostream& err) override;
    Expected<void> DrawLineReport(const gfx::LineReportContent& content, Paper paper, WholeFileWriter& file) override;
    Expected<void> DrawComparison(const gfx::ComparisonContent& content, Paper paper, const std::string& path) override;

private:
    std::vector<std::string> m_argv;
    std::unique_ptr<QGuiApplication> m_application;
};

}  // namespace vyra::cli
