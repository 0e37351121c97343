#include "FrmCompare.h"

#include "CaseAndBatchFiles.h"
#include "ComparisonPages.h"
#include "FrmReport.h"
#include "InputControls.h"
#include "Placement.h"
#include "PrinterJob.h"
#include "ProgramSettings.h"
#include "ReportPdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vyra::ui {

namespace {

constexpr double kPoints = 9;
constexpr double kWidthTwips = 13000;
constexpr double kHeightTwips = 11000;
// The shade of a model's best verdict: a pale green, dark text stays readable.
const QColor kBestShade(0xd4, 0xed, 0xd4);

QPushButton* AddButton(QHBoxLayout& row, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    row.addWidget(button);
    return button;
}

QTableWidgetItem* CellOf(const ComparisonRow& row, std::size_t k)
{
    auto* item = new QTableWidgetItem(ToQString(MarkedCell(row, k)));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    QFont font = item->font();
    font.setBold(row.differs[k]);
    item->setFont(font);
    if (row.best[k]) {
        item->setBackground(kBestShade);
        item->setToolTip(QStringLiteral("The best verdict of this model's row"));
    }
    return item;
}

bool ShownWithDifferencesOnly(const ComparisonRow& row)
{
    const bool entry = row.kind == RowKind::Choice || row.kind == RowKind::Input;
    return !entry || std::ranges::any_of(row.differs, [](bool differs) { return differs; });
}

}  // namespace

std::string OnScreenName(const std::string& caseFile)
{
    return caseFile.empty() ? std::string("On screen") : caseFile + " (on screen)";
}

FrmCompare::FrmCompare(Toolkit& toolkit, const ComparedCase& onScreen, QWidget* parent)
    : QDialog(parent), m_toolkit(toolkit), m_cases{onScreen}
{
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(QStringLiteral("Compare cases"));
    setFont(CourierNew(kPoints));
    auto* casesLabel = new QLabel(QStringLiteral("&Cases:"));
    m_lstCases = new QListWidget;
    m_lstCases->setObjectName(QStringLiteral("lstCases"));
    m_lstCases->setMaximumHeight(m_lstCases->fontMetrics().height() * 5);
    casesLabel->setBuddy(m_lstCases);
    auto* caseButtons = new QHBoxLayout;
    m_cmdAdd = AddButton(*caseButtons, "cmdAdd", QStringLiteral("&Add case file…"));
    m_cmdRemove = AddButton(*caseButtons, "cmdRemove", QStringLiteral("&Remove"));
    caseButtons->addStretch();
    m_chkDifferences = new QCheckBox(QStringLiteral("&Differences only"));
    m_chkDifferences->setObjectName(QStringLiteral("chkDifferences"));
    caseButtons->addWidget(m_chkDifferences);
    m_grdCompare = new QTableWidget;
    m_grdCompare->setObjectName(QStringLiteral("grdCompare"));
    m_grdCompare->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdCompare->setTabKeyNavigation(false);
    m_grdCompare->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grdCompare->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* outputButtons = new QHBoxLayout;
    auto* paperLabel = new QLabel(QStringLiteral("Pa&per:"));
    m_cboPaper = new QComboBox;
    m_cboPaper->setObjectName(QStringLiteral("cboPaper"));
    m_cboPaper->addItem(QStringLiteral("A4"), static_cast<int>(QPageSize::A4));
    m_cboPaper->addItem(QStringLiteral("Letter"), static_cast<int>(QPageSize::Letter));
    m_cboPaper->setCurrentIndex(LocalPaper(QLocale()) == QPageSize::Letter ? 1 : 0);
    paperLabel->setBuddy(m_cboPaper);
    outputButtons->addWidget(paperLabel);
    outputButtons->addWidget(m_cboPaper);
    m_cmdExport = AddButton(*outputButtons, "cmdExport", QStringLiteral("&Export PDF…"));
    m_cmdPrint = AddButton(*outputButtons, "cmdPrint", QStringLiteral("Pr&int…"));
    outputButtons->addStretch();
    QPushButton* close = AddButton(*outputButtons, "cmdClose", QStringLiteral("Close"));
    // On a screen smaller than even the controls need, the whole window
    // scrolls rather than reach past the screen's edge.
    auto* contents = new QWidget;
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(contents);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* layout = new QVBoxLayout(contents);
    layout->addWidget(casesLabel);
    layout->addWidget(m_lstCases);
    layout->addLayout(caseButtons);
    layout->addWidget(m_grdCompare, 1);
    m_lblNotes = new QLabel;
    m_lblNotes->setObjectName(QStringLiteral("lblNotes"));
    m_lblNotes->setWordWrap(true);
    m_lblNotes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_lblNotes);
    layout->addLayout(outputButtons);
    connect(m_cmdAdd, &QPushButton::clicked, this, &FrmCompare::cmdAdd_Click);
    connect(m_cmdRemove, &QPushButton::clicked, this, &FrmCompare::cmdRemove_Click);
    connect(m_cmdExport, &QPushButton::clicked, this, &FrmCompare::cmdExport_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &FrmCompare::cmdPrint_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_chkDifferences, &QCheckBox::toggled, this, &FrmCompare::ShowTable);
    ShowCases();
    // Room for four cases where the screen has it, at whatever scale; the
    // table scrolls within what is left on a small one.
    const QRect available = screen()->availableGeometry();
    resize(std::min(available.width() * 9 / 10, TwipsToPixels(kWidthTwips, *this)),
           std::min(available.height() * 9 / 10, TwipsToPixels(kHeightTwips, *this)));
}

void FrmCompare::cmdAdd_Click()
{
    const QString path =
        m_toolkit.ChooseFileToOpen(this, {QStringLiteral("Add Case File"), ProgramSettings().LastFolder(),
                                          QStringLiteral("Case files (*.vyracase)")});
    if (path.isEmpty()) {
        return;
    }
    const Expected<Case> read = ReadCaseFile(QFile::encodeName(path).toStdString());
    if (!read) {
        Complain(QStringLiteral("The case could not be added."), read.Error().reason);
        return;
    }
    m_cases.push_back(SelectCompared(QFileInfo(path).fileName().toStdString(), *read));
    ShowCases();
    m_lstCases->setCurrentRow(m_lstCases->count() - 1);
}

void FrmCompare::cmdRemove_Click()
{
    const int row = m_lstCases->currentRow();
    if (row < 0 || row >= static_cast<int>(m_cases.size())) {
        return;
    }
    m_cases.erase(m_cases.begin() + row);
    ShowCases();
    m_lstCases->setCurrentRow(std::min(row, m_lstCases->count() - 1));
}

void FrmCompare::cmdExport_Click()
{
    const gfx::ComparisonContent content = gfx::ComparisonContentOf(m_cases);
    const QString start = SuggestedPath(gfx::CaseName({content.trace.customer, m_cases.front().file}),
                                        QStringLiteral("comparison"), QStringLiteral(".pdf"));
    QString path = m_toolkit.ChooseFileToSave(
        this, {QStringLiteral("Export Comparison as PDF"), start, QStringLiteral("PDF documents (*.pdf)")});
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
    }
    const auto paper = static_cast<QPageSize::PageSizeId>(m_cboPaper->currentData().toInt());
    const std::string target = QFile::encodeName(path).toStdString();
    if (auto written = gfx::WriteDrawnFile(target, gfx::DrawComparisonPdf(content, paper)); !written) {
        Complain(QStringLiteral("The comparison could not be exported."), target + ": " + written.Error().reason);
    }
}

void FrmCompare::cmdPrint_Click()
{
    const auto paper = static_cast<QPageSize::PageSizeId>(m_cboPaper->currentData().toInt());
    const std::unique_ptr<QPagedPaintDevice> printer = m_toolkit.ChoosePrinter(this, paper);
    if (!printer) {
        return;
    }
    gfx::PrintComparisonOn(printer.get(), gfx::ComparisonContentOf(m_cases),
                           [this](const std::string& title, const std::string& message) {
                               m_toolkit.ShowMessage(this, ToQString(title), ToQString(message), BoxIcon::None);
                           });
}

void FrmCompare::ShowCases()
{
    m_lstCases->clear();
    for (const ComparedCase& c : m_cases) {
        m_lstCases->addItem(ToQString(c.file));
    }
    m_cmdAdd->setEnabled(m_cases.size() < kMostCompared);
    m_cmdRemove->setEnabled(!m_cases.empty());
    const bool comparing = m_cases.size() >= kFewestCompared;
    m_cmdExport->setEnabled(comparing);
    m_cmdPrint->setEnabled(comparing);
    m_comparison = CompareCases(m_cases);
    ShowTable();
}

void FrmCompare::ShowTable()
{
    const Comparison& comparison = m_comparison;
    m_grdCompare->clear();
    m_grdCompare->setColumnCount(static_cast<int>(comparison.files.size()));
    m_grdCompare->setRowCount(static_cast<int>(comparison.rows.size()));
    QStringList files;
    for (const std::string& file : comparison.files) {
        files << ToQString(file);
    }
    m_grdCompare->setHorizontalHeaderLabels(files);
    QStringList labels;
    for (int r = 0; r < m_grdCompare->rowCount(); ++r) {
        const ComparisonRow& row = comparison.rows[static_cast<std::size_t>(r)];
        labels << ToQString(UnderModel(row) ? "  " + row.label : row.label);
        for (std::size_t k = 0; k < row.cells.size(); ++k) {
            m_grdCompare->setItem(r, static_cast<int>(k), CellOf(row, k));
        }
        m_grdCompare->setRowHidden(r, m_chkDifferences->isChecked() && !ShownWithDifferencesOnly(row));
    }
    m_grdCompare->setVerticalHeaderLabels(labels);
    std::string notes;
    for (const std::string& note : ComparisonNotes(comparison)) {
        notes += (notes.empty() ? "" : "\n") + note;
    }
    m_lblNotes->setText(ToQString(notes));
}

void FrmCompare::Complain(const QString& text, const std::string& cause)
{
    m_toolkit.ShowMessage(this, QString(), text + QStringLiteral("\n\n") + ToQString(cause), BoxIcon::Exclamation);
}

}  // namespace vyra::ui
