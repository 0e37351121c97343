#include "BatchRun.h"

#include "CaseAndBatchFiles.h"
#include "Commands.h"
#include "FileAccess.h"
#include "JsonOutput.h"
#include "LineReportOutput.h"
#include "ResultColumns.h"
#include "StandardOutput.h"
#include "Utf8.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

namespace vyra::cli {

namespace {

using Clock = std::chrono::steady_clock;

// Rows are gathered into pieces of about this size before they are written.
constexpr std::size_t kPieceBytes = 1024 * 1024;

// Where the rows go: standard output as they come, or a file written whole
// at the end.
class RowOutput {
public:
    RowOutput(const std::string& path, std::ostream& out)
        : m_out(out), m_file(path.empty() ? nullptr : std::make_unique<WholeFileWriter>(path)), m_path(path)
    {
    }

    std::string& Piece() { return m_piece; }

    // Known before any row is read: the file cannot be written at all.
    std::optional<std::string> TargetFailure() const
    {
        return m_file && m_file->Failure() ? std::optional(m_path + ": " + *m_file->Failure()) : std::nullopt;
    }

    void Flush()
    {
        if (m_file) {
            m_file->Write(m_piece);
        } else {
            m_out.write(m_piece.data(), static_cast<std::streamsize>(m_piece.size()));
        }
        m_piece.clear();
    }

    void FlushIfFull()
    {
        if (m_piece.size() >= kPieceBytes) {
            Flush();
        }
    }

    // The reason the rows could not be written, naming the file.
    std::optional<std::string> Finish()
    {
        Flush();
        if (!m_file) {
            m_out.flush();
            return m_out ? std::nullopt : std::optional("standard output: " + WriteFailureOf(m_out));
        }
        if (auto failure = m_file->Commit()) {
            return m_path + ": " + *failure;
        }
        return std::nullopt;
    }

private:
    std::ostream& m_out;
    std::unique_ptr<WholeFileWriter> m_file;
    std::string m_path;
    std::string m_piece;
};

std::string RefusalText(const CheckFailure& failure) { return AsTerminalText(failure.title + ": " + failure.message); }

// A cell in RFC 4180 quoting. A text a spreadsheet would take for a formula
// starts with an apostrophe, so that opening the output runs nothing.
void AppendCsvCell(std::string& out, std::string_view text, bool userText = false)
{
    std::string cell;
    if (userText && !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        cell = "'";
    }
    // A NUL or an escape in a cell would cut or garble the line in the tools
    // that read it.
    cell += userText ? EscapedText(text, LineBreaks::Keep) : std::string(text);
    if (cell.find_first_of(",\"\r\n") == std::string::npos
        && (cell.empty() || (cell.front() != ' ' && cell.back() != ' '))) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    out += '"';
}

void AppendCsvHeader(std::string& out)
{
    out += "line,id,status,message,fits";
    for (int model = 1; model <= kModelCount; ++model) {
        out += ",model" + std::to_string(model);
    }
    out += "\r\n";
}

// How a row came out: the computed state, or why it was refused.
struct Outcome {
    const RunState* state = nullptr;
    std::optional<CheckFailure> refusal;
};

void AppendCsvRow(std::string& out, const BatchRow& row, const Outcome& outcome)
{
    out += std::to_string(row.number);
    out += ',';
    AppendCsvCell(out, row.id, true);
    if (outcome.refusal) {
        out += ",refused,";
        AppendCsvCell(out, RefusalText(*outcome.refusal));
        out += ",";
        out.append(kModelCount, ',');
        out += "\r\n";
        return;
    }
    std::string fits;
    for (int model = 0; model < kModelCount; ++model) {
        if (PassedSets(*outcome.state, model) == "both") {
            fits += (fits.empty() ? "" : " ") + std::string(outcome.state->model(model).name);
        }
    }
    out += ",ok,,";
    out += fits;
    for (int model = 0; model < kModelCount; ++model) {
        out += ',';
        out += PassedSets(*outcome.state, model);
    }
    out += "\r\n";
}

void AppendJsonRow(std::string& out, const BatchRow& row, bool hasId, const Outcome& outcome,
                   const SelectorOptions& options)
{
    std::string leading = "\"line\":" + std::to_string(row.number) + ",";
    if (hasId) {
        leading += "\"id\":";
        AppendJsonString(leading, row.id);
        leading += ',';
    }
    if (outcome.refusal) {
        AppendJsonRefusal(*outcome.refusal, out, leading);
        return;
    }
    const Case& c = row.input;
    std::optional<PassingGamma> passing;
    if (options.batch->gammaScan) {
        passing = PassingGammas(c.form, c.forceUnit);
    }
    std::optional<Calibration> calibration;
    if (options.calibrationWeight) {
        calibration = CalibrationFor(c.form, c.forceUnit, *options.calibrationWeight);
    }
    AppendJsonResult(*outcome.state, out, leading,
                     {passing ? &*passing : nullptr, calibration ? &*calibration : nullptr});
}

// "Select" on the case, as vyra-select evaluates one case.
Outcome Select(const Case& input, RunState& state)
{
    state.forceUnit = input.forceUnit;
    if (CheckResult failure = SelectCommand(state, input.form)) {
        return {nullptr, std::move(failure)};
    }
    return {&state, std::nullopt};
}

// A choice word the row got wrong refuses it as a usage error would.
Outcome Evaluate(const BatchRow& row, RunState& state)
{
    if (row.problem) {
        return {nullptr, CheckFailure{"Invalid row", *row.problem, MessageIcon::Exclamation, {}, false}};
    }
    return Select(row.input, state);
}

// A computed roller's record for its report pages: its case was computed
// from a fresh state when its row was read, so it computes again.
gfx::ReportRecord RecordOf(const gfx::LineRoller& roller, const RunState& fresh)
{
    const Case& input = roller.input;
    gfx::ReportRecord record{gfx::CustomerOf(input), gfx::SpecificationsOf(input.form, input.forceUnit), fresh, {}};
    static_cast<void>(Select(input, record.selection));
    return record;
}

// "rows done of total, rate" on a terminal, once the run has taken a
// second, at most five times a second; the total is counted first.
class Progress {
public:
    Progress(const BatchRequest& request, const Case& base) : m_shown(::isatty(STDERR_FILENO) == 1)
    {
        if (m_shown && request.path != "-") {
            m_total = CountRows(request.path, base);
        }
    }

    void RowDone(long done)
    {
        if (!m_shown) {
            return;
        }
        const Clock::time_point now = Clock::now();
        if (now - m_start < std::chrono::seconds(1) || now - m_last < std::chrono::milliseconds(200)) {
            return;
        }
        m_last = now;
        const double seconds = std::chrono::duration<double>(now - m_start).count();
        const std::string total = m_total > 0 ? " of " + std::to_string(m_total) : std::string();
        std::fprintf(stderr, "\rvyra-select: %ld%s rows, %.0f rows/s ", done, total.c_str(), done / seconds);
        m_written = true;
    }

    ~Progress()
    {
        if (m_written) {
            std::fputc('\n', stderr);
        }
    }

private:
    // 0 when the file cannot be read: the reading proper will say why.
    static long CountRows(const std::string& path, const Case& base)
    {
        auto opened = OpenBatchFile(path);
        if (!std::holds_alternative<std::unique_ptr<ByteSource>>(opened)) {
            return 0;
        }
        BatchReader reader(*std::get<std::unique_ptr<ByteSource>>(opened), base);
        long rows = 0;
        while (std::holds_alternative<BatchRow>(reader.Next())) {
            ++rows;
        }
        return rows;
    }

    bool m_shown;
    bool m_written = false;
    long m_total = 0;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_last;
};

// Every row to the row output and, when asked for, the line report;
// returns the ExitStatus of the rows.
int RunRows(const SelectorOptions& options, BatchReader& reader, RowOutput& output, LineReportOutput* line,
            std::ostream& err)
{
    const BatchRequest& request = *options.batch;
    const bool json = request.format == BatchFormat::Json;
    // The header goes out with the first row or the end, so that a file
    // whose header is refused writes nothing.
    bool headerWritten = json;
    Progress progress(request, options.input);
    const RunState fresh;
    bool refused = false;
    for (;;) {
        auto next = reader.Next();
        if (const auto* fault = std::get_if<BatchFault>(&next)) {
            output.Flush();
            err << "vyra-select: " << request.path << ':' << fault->fileLine << ": " << fault->message << '\n';
            if (fault->usage) {
                err << "Run vyra-select --help\n";
            }
            return kUsageError;
        }
        if (!headerWritten) {
            AppendCsvHeader(output.Piece());
            headerWritten = true;
        }
        if (std::holds_alternative<BatchEnd>(next)) {
            break;
        }
        const BatchRow& row = std::get<BatchRow>(next);
        RunState state = fresh;
        const Outcome outcome = Evaluate(row, state);
        refused = refused || outcome.refusal.has_value();
        if (json) {
            AppendJsonRow(output.Piece(), row, reader.HasIdColumn(), outcome, options);
        } else {
            AppendCsvRow(output.Piece(), row, outcome);
        }
        output.FlushIfFull();
        if (line != nullptr) {
            line->Add(row, outcome.state, outcome.refusal ? RefusalText(*outcome.refusal) : std::string());
        }
        progress.RowDone(row.number);
    }
    if (const auto failure = output.Finish()) {
        err << "vyra-select: cannot write " << *failure << '\n';
        return kOutputFailed;
    }
    return refused ? kRefused : kComputed;
}

}  // namespace

int RunBatch(const SelectorOptions& options, std::ostream& out, std::ostream& err, GraphicsOutputs* graphics)
{
    const BatchRequest& request = *options.batch;
    if (!request.lineReportPath.empty() && graphics == nullptr) {
        err << "vyra-select: this build cannot draw the line report\n";
        return kOutputFailed;
    }
    auto opened = OpenBatchFile(request.path);
    if (const auto* reason = std::get_if<std::string>(&opened)) {
        err << "vyra-select: " << request.path << ": " << *reason << '\n';
        return kUsageError;
    }
    std::optional<LineReportOutput> line;
    if (!request.lineReportPath.empty()) {
        line.emplace(request.lineReportPath,
                     [fresh = RunState()](const gfx::LineRoller& roller) { return RecordOf(roller, fresh); });
        if (const auto failure = line->Failure()) {
            err << "vyra-select: cannot write " << *failure << '\n';
            return kOutputFailed;
        }
    }
    // Every output is known to be writable before the first row is read.
    RowOutput output(request.outputPath, out);
    if (const auto failure = output.TargetFailure()) {
        err << "vyra-select: cannot write " << *failure << '\n';
        return kOutputFailed;
    }
    BatchReader reader(*std::get<std::unique_ptr<ByteSource>>(opened), options.input);
    const int status = RunRows(options, reader, output, line ? &*line : nullptr, err);
    if (!line || status > kRefused) {
        return status;
    }
    if (const auto failure = line->Finish(*graphics)) {
        err << "vyra-select: cannot write " << *failure << '\n';
        return kOutputFailed;
    }
    return status;
}

}  // namespace vyra::cli
