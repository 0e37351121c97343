#pragma once

#include "SelectorCli.h"

#include <memory>

class QGuiApplication;

namespace vyra::cli {

// The report as PDF or on the default printer, and the sketch as PNG,
// drawn with Qt. Creates the toolkit's application object on first use.
class QtGraphicsOutputs : public GraphicsOutputs {
public:
    QtGraphicsOutputs();
    ~QtGraphicsOutputs() override;
    int Produce(const SelectorOptions& options, const RunState& selection, std::ostream& err) override;

private:
    std::unique_ptr<QGuiApplication> m_application;
};

}  // namespace vyra::cli
