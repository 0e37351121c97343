#include "BatchRun.h"

#include "CaseAndBatchFiles.h"
#include "CsvOutput.h"
#include "Evaluation.h"
#include "FileAccess.h"
#include "JsonOutput.h"
#include "LineReportOutput.h"
#include "MaterialTableFile.h"
#include "ResultColumns.h"
#include "ResultNotes.h"
#include "StandardOutput.h"
#include "Utf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

    // Known before any row is read: whether the file can be written at all;
    // a failure names it.
    Expected<void> Target() const
    {
        if (m_file && m_file->FirstFailure()) {
            return Failed(m_path + ": " + m_file->FirstFailure()->reason);
        }
        return {};
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

    // Writes what is left; a failure names the file.
    Expected<void> Finish()
    {
        Flush();
        if (!m_file) {
            m_out.flush();
            if (!m_out) {
                return Failed("standard output: " + WriteFailureOf(m_out));
            }
            return {};
        }
        if (auto committed = m_file->Commit(); !committed) {
            return Failed(m_path + ": " + committed.Error().reason);
        }
        return {};
    }

private:
    std::ostream& m_out;
    std::unique_ptr<WholeFileWriter> m_file;
    std::string m_path;
    std::string m_piece;
};

// The robust columns follow when any row may carry a range.
void AppendCsvHeader(std::string& out, bool robust)
{
    out += "line,id,status,message,fits";
    for (int model = 1; model <= kModelCount; ++model) {
        out += ",model" + std::to_string(model);
    }
    out += ",calculation-id";
    for (int model = 1; robust && model <= kModelCount; ++model) {
        out += ",robust" + std::to_string(model);
    }
    out += "\r\n";
}

// yes: the model passes both sets over the ranges (a row without one has
// only its nominal point); nominal: at the nominal point only; no: not even there.
std::string_view RobustWord(const Evaluation& evaluation, int model)
{
    if (PassedSets(evaluation.selection, model) != "both") {
        return "no";
    }
    const bool overRanges = !evaluation.rangeVerdicts || (*evaluation.rangeVerdicts)[model].passesBoth;
    return overRanges ? "yes" : "nominal";
}

void AppendRobustCells(std::string& out, const Evaluation& evaluation)
{
    for (int model = 0; model < kModelCount; ++model) {
        out += ',';
        out += evaluation.refusal ? std::string_view() : RobustWord(evaluation, model);
    }
}

void AppendCsvRow(std::string& out, const BatchRow& row, const Evaluation& evaluation, bool robust)
{
    out += std::to_string(row.number);
    out += ',';
    AppendCsvCell(out, row.id, true);
    if (evaluation.refusal) {
        out += ",refused,";
        // A material's name from the user's table or the row may hold control bytes.
        AppendCsvCell(out, EscapedText(TerminalText(*evaluation.refusal), LineBreaks::Keep));
        out += ",";
        out.append(kModelCount, ',');
        out += Joined({",", evaluation.calculationId.value_or("")});
        if (robust) {
            AppendRobustCells(out, evaluation);
        }
        out += "\r\n";
        return;
    }
    const RunState& state = evaluation.selection;
    // The sentences of a computed case stand where a refused one's message does.
    std::string notes;
    for (const std::string& note : ResultNotes(state)) {
        notes += (notes.empty() ? "" : " ") + note;
    }
    out += ",ok,";
    AppendCsvCell(out, notes);
    out += ',';
    const std::vector<std::string_view> fits = ModelsPassingBoth(state);
    for (std::size_t k = 0; k < fits.size(); ++k) {
        out += k > 0 ? " " : "";
        out += fits[k];
    }
    for (int model = 0; model < kModelCount; ++model) {
        out += ',';
        out += PassedSets(state, model);
    }
    out += Joined({",", evaluation.calculationId.value_or("")});
    if (robust) {
        AppendRobustCells(out, evaluation);
    }
    out += "\r\n";
}

void AppendJsonRow(std::string& out, const BatchRow& row, bool hasId, const Evaluation& evaluation)
{
    std::string leading = "\"line\":" + std::to_string(row.number) + ",";
    if (hasId) {
        leading += "\"id\":";
        AppendJsonString(leading, row.id);
        leading += ',';
    }
    if (evaluation.refusal) {
        AppendJsonRefusal(*evaluation.refusal, out, leading, evaluation.calculationId);
    } else {
        AppendJsonResult(evaluation, out, leading);
    }
}

// A computed roller's record for its report pages: its case computed when
// its row was read, so it computes again the same.
gfx::ReportRecord RecordOf(const gfx::LineRoller& roller)
{
    const Case& input = roller.input;
    return gfx::ReportRecord{gfx::CustomerOf(input),
                             {},
                             gfx::SpecificationsOf(input),
                             Evaluate(input, {}).selection,
                             {}};
}

// "rows done of total, rate" on a terminal, once the run has taken a
// second, at most five times a second; the total is counted first.
class Progress {
public:
    Progress(const BatchRequest& request, const Case& base, bool terminal) : m_shown(terminal)
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
        Expected<std::unique_ptr<ByteSource>> opened = OpenBatchFile(path);
        if (!opened) {
            return 0;
        }
        BatchReader reader(**opened, base);
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

// A row evaluated over the ranges it carries; a range refused, or ends that
// are not numbers, refuse the row.
Evaluation EvaluateRow(const BatchRow& row, EvaluationRequest asked)
{
    if (row.problem) {
        return RefusedRow(*row.problem);
    }
    Expected<std::vector<InputRange>> ranges = CheckedRangesOf(row.input);
    if (!ranges) {
        return RefusedRow(ranges.Error().reason);
    }
    asked.ranges = *std::move(ranges);
    return Evaluate(row.input, asked);
}

// What every row of a batch shares.
struct BatchSetting {
    const SelectorOptions& options;
    const Case& base;
    const Surroundings& surroundings;
};

// Every row to the row output and, when asked for, the line report;
// returns the ExitStatus of the rows.
int RunRows(const BatchSetting& setting, BatchReader& reader, RowOutput& output, LineReportOutput* line,
            std::ostream& err)
{
    const BatchRequest& request = *setting.options.batch;
    const bool json = request.format == BatchFormat::Json;
    const EvaluationRequest asked{request.gammaScan, setting.options.calibrationWeight, {}};
    // The header goes out with the first row or the end, so that a file
    // whose header is refused writes nothing.
    bool headerWritten = json;
    Progress progress(request, setting.base, setting.surroundings.errorIsTerminal);
    bool refused = false;
    const bool baseRanged = std::any_of(setting.base.ranges.begin(), setting.base.ranges.end(),
                                        [](const std::optional<RangeTexts>& range) { return range.has_value(); });
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
            AppendCsvHeader(output.Piece(), baseRanged || reader.HasRangeColumns());
            headerWritten = true;
        }
        if (std::holds_alternative<BatchEnd>(next)) {
            break;
        }
        const BatchRow& row = std::get<BatchRow>(next);
        const Evaluation evaluation = EvaluateRow(row, asked);
        refused = refused || evaluation.refusal.has_value();
        if (json) {
            AppendJsonRow(output.Piece(), row, reader.HasIdColumn(), evaluation);
        } else {
            AppendCsvRow(output.Piece(), row, evaluation, baseRanged || reader.HasRangeColumns());
        }
        output.FlushIfFull();
        if (line != nullptr) {
            line->Add(row, evaluation);
        }
        progress.RowDone(row.number);
    }
    if (auto written = output.Finish(); !written) {
        err << "vyra-select: cannot write " << written.Error().reason << '\n';
        return kOutputFailed;
    }
    return refused ? kRefused : kComputed;
}

}  // namespace

int RunBatch(const SelectorOptions& options, const Case& base, std::ostream& out, std::ostream& err,
             const Surroundings& surroundings, GraphicsOutputs* graphics)
{
    const BatchRequest& request = *options.batch;
    if (!request.lineReportPath.empty() && graphics == nullptr) {
        err << "vyra-select: this build cannot draw the line report\n";
        return kOutputFailed;
    }
    Expected<std::unique_ptr<ByteSource>> opened = OpenBatchFile(request.path);
    if (!opened) {
        err << "vyra-select: " << request.path << ": " << opened.Error().reason << '\n';
        return kUsageError;
    }
    std::optional<LineReportOutput> line;
    if (!request.lineReportPath.empty()) {
        const std::string batchFile =
            request.path == "-" ? "standard input" : std::filesystem::path(request.path).filename().string();
        line.emplace(request.lineReportPath, batchFile, options.graphics.paper, RecordOf, options.graphics.calculation);
        if (auto target = line->Target(); !target) {
            err << "vyra-select: cannot write " << target.Error().reason << '\n';
            return kOutputFailed;
        }
    }
    // Every output is known to be writable before the first row is read.
    RowOutput output(request.outputPath, out);
    if (auto target = output.Target(); !target) {
        err << "vyra-select: cannot write " << target.Error().reason << '\n';
        return kOutputFailed;
    }
    RunMaterialTable materials(surroundings.materialsFile);
    const CaseEntries& given = options.entries;
    BatchReader reader(**opened, base, materials.Source(),
                       {given.fields[kItemFS].has_value(), given.fields[kItemWr].has_value()});
    const int status = RunRows({options, base, surroundings}, reader, output, line ? &*line : nullptr, err);
    if (!line || status > kRefused) {
        return status;
    }
    if (auto written = line->Finish(*graphics); !written) {
        err << "vyra-select: cannot write " << written.Error().reason << '\n';
        return kOutputFailed;
    }
    return status;
}

}  // namespace vyra::cli
