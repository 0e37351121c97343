#include "FrmInput.h"

#include "Captions.h"
#include "Case.h"
#include "CheckFailure.h"
#include "Commands.h"
#include "ExplanationFiles.h"
#include "FrmCompare.h"
#include "FrmExplanation.h"
#include "FrmInit.h"
#include "FrmRanges.h"
#include "InputControls.h"
#include "InputMenus.h"
#include "InputReading.h"
#include "MaterialTableFile.h"
#include "NumberText.h"
#include "Placement.h"
#include "ReportRecord.h"
#include "ResultFormat.h"
#include "ResultScreens.h"
#include "RunState.h"
#include "SketchArea.h"
#include "ToolDialogs.h"
#include "Units.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vyra::ui {

namespace {

// Client area of the screen, twips.
constexpr double kClientWidth = 9360;
constexpr double kClientHeight = 6795;

// Palette indices of the marks.
constexpr int kBlack = 0;
constexpr int kLightRed = 12;

void SetColour(QWidget& control, QPalette::ColorRole role, int paletteIndex)
{
    const gfx::Rgb rgb = gfx::PaletteColor(paletteIndex);
    QPalette palette = control.palette();
    palette.setColor(role, QColor(rgb.red, rgb.green, rgb.blue));
    control.setPalette(palette);
}

}  // namespace

struct FrmInput::Controls : InputControls {
    Controls(Toolkit& toolkit, std::function<gfx::ReportCustomer()> readCustomer, std::function<void()> exportReport)
        : results(toolkit, std::move(readCustomer), std::move(exportReport)), explanation(toolkit, documentFiles)
    {
    }

    // Building the state builds the catalogue.
    RunState state;
    bool unitScreenShown = false;
    // The controls' parent: the tabled coordinates are the client area's.
    QWidget* client = nullptr;
    std::unique_ptr<InputMenus> menus;
    // The last successful "Select", for Export and Print of the menu.
    std::optional<gfx::ReportRecord> lastSelection;
    // Where the tension and the roller weight came from, while a helper's
    // value stands in their fields.
    std::optional<TensionOrigin> tensionFrom;
    std::optional<RollerDrawing> rollerFrom;
    // The case's ranges, which Tools > Ranges… sets and the line under the
    // client area names.
    CaseRanges ranges;
    QLabel* lblRanges = nullptr;
    ResultScreens results;
    WorkingDirectoryFiles documentFiles{WorkingDirectoryFiles::kMaxDocumentBytes, InstalledDocumentsFolder()};
    ExplanationScreens explanation;
};

FrmInput::FrmInput(Toolkit& toolkit, QWidget* parent)
    : QWidget(parent),
      m_toolkit(toolkit),
      m_controls(std::make_unique<Controls>(
          toolkit, [this] { return ReadCustomer(); }, [this] { m_controls->menus->ExportReport(); }))
{
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(ToQString(kProgramTitle));
    setFont(CourierNew(kScreenPoints));
    Controls& c = *m_controls;
    c.client = new QWidget(this);
    c.client->setObjectName(QStringLiteral("client"));
    c.client->setFixedSize(TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight, *this));
    c.menus = std::make_unique<InputMenus>(
        toolkit,
        CaseScreen{this, [this] { return ReadCase(); }, [this](const Case& shown) { ShowCase(shown); },
                   [this]() -> std::optional<gfx::ReportRecord> {
                       auto record = m_controls->lastSelection;
                       if (record) {
                           record->customer = ReadCustomer();
                           record->charts = m_controls->results.ChartsToReport({record->customer, record->caseFile});
                       }
                       return record;
                   },
                   [this] { m_controls->explanation.Show(); }, [this] { TensionTool(); }, [this] { RollerTool(); },
                   [this] { RangesTool(); }, [this] { CompareTool(); }});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(c.menus->MenuBar());
    layout->addWidget(c.client);
    // Below the tabled client area, there only while ranges are set.
    c.lblRanges = new QLabel(this);
    c.lblRanges->setObjectName(QStringLiteral("lblRanges"));
    c.lblRanges->setWordWrap(true);
    c.lblRanges->setFixedWidth(c.client->width());
    c.lblRanges->setContentsMargins(TwipsToPixels(120, *this), 0, TwipsToPixels(120, *this), TwipsToPixels(60, *this));
    c.lblRanges->hide();
    layout->addWidget(c.lblRanges);
    BuildInputControls(*c.client, c.state.forceUnit, c);
    SetTabOrder();
    ConnectHandlers();
    PressButtonsOnReturn(*this);
    Form_Load();
}

FrmInput::~FrmInput() = default;

void FrmInput::SetTabOrder()
{
    const Controls& c = *m_controls;
    std::vector<QWidget*> order(c.customer.begin(), c.customer.end());
    const auto addOptions = [&order, &c](int group) {
        order.insert(order.end(), c.groups[group].options.begin(), c.groups[group].options.end());
    };
    addOptions(kOpType);
    addOptions(kOpFulcrum);
    order.insert(order.end(), c.txtInput.begin(), c.txtInput.end());
    addOptions(kOpMethod1);
    order.insert(order.end(), {c.cmdImage, c.cmdResult, c.cmdExplanation});
    addOptions(kOpMethod2);
    addOptions(kOpMethod3);
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void FrmInput::ConnectHandlers()
{
    Controls& c = *m_controls;
    connect(c.cmdResult, &QPushButton::clicked, this, &FrmInput::cmdResult_Click);
    connect(c.cmdImage, &QPushButton::clicked, this, &FrmInput::cmdImage_Click);
    connect(c.cmdExplanation, &QPushButton::clicked, this, [&c] { c.explanation.Show(); });
    connect(c.groups[kOpFulcrum].group, &QButtonGroup::idClicked, this, &FrmInput::OpFulcrum_Click);
    connect(c.groups[kOpMethod1].group, &QButtonGroup::idClicked, this, &FrmInput::OpMethod1_Click);
    for (int item = 0; item < kFieldCount; ++item) {
        connect(c.txtInput[item], &QLineEdit::textChanged, this, [this, item] { txtInput_Change(item); });
    }
    // After the handlers above, so that the case is compared once the
    // fulcrum has swapped the angles.
    InputMenus& menus = *c.menus;
    const auto edited = [&menus] { menus.CaseEdited(); };
    for (QLineEdit* field : c.customer) {
        connect(field, &QLineEdit::textChanged, this, edited);
    }
    for (QLineEdit* field : c.txtInput) {
        connect(field, &QLineEdit::textChanged, this, edited);
    }
    for (const OptionGroup& group : c.groups) {
        connect(group.group, &QButtonGroup::idClicked, this, edited);
    }
}

void FrmInput::Form_Load()
{
    Controls& c = *m_controls;
    CentreOnDisplay(*this);
    c.groups[kOpType].options[0]->setChecked(true);
    c.groups[kOpFulcrum].options[0]->setChecked(true);
    c.state.inputs.fulcrumIndex = 0;
    c.groups[kOpMethod1].options[0]->setChecked(true);
    c.groups[kOpMethod2].options[0]->setChecked(true);
    c.groups[kOpMethod3].options[0]->setChecked(true);
    EnableOneSensorOptions(false);
    const QDate today = m_toolkit.Today();
    c.customer[kDate]->setText(QString::fromStdString(
        FormatDate(today.year(), static_cast<unsigned>(today.month()), static_cast<unsigned>(today.day()))));
    c.Picture1->ReadCentre();
    // The fields stay empty.
    DrawStartingSketch();
    c.menus->CaseBegun();
}

// The unit screen is modal: it is shown after Qt has finished delivering the
// activation, not from inside it.
bool FrmInput::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        QMetaObject::invokeMethod(this, &FrmInput::Form_Activate, Qt::QueuedConnection);
    }
    return QWidget::event(event);
}

// Without a window manager nothing activates a new window by itself, and the
// unit screen waits for the first activation.
void FrmInput::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
}

void FrmInput::closeEvent(QCloseEvent* event)
{
    if (!m_controls->menus->MayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    m_toolkit.EndProgram();
}

void FrmInput::OpenAtStart(const QString& path)
{
    if (m_controls->menus->OpenAtStart(path)) {
        m_controls->unitScreenShown = true;
    }
}

void FrmInput::Form_Activate()
{
    Controls& c = *m_controls;
    if (!c.unitScreenShown) {
        // Set before showing: closing the unit screen activates this one again.
        c.unitScreenShown = true;
        FrmInit frmInit(m_toolkit, this);
        m_toolkit.ShowModal(frmInit);
        c.state.forceUnit = frmInit.ForceUnit();
        c.menus->UnitChosen(c.state.forceUnit);
    }
    ShowUnit(c.state.forceUnit);
}

void FrmInput::cmdResult_Click()
{
    Controls& c = *m_controls;
    const Case shown = ReadCase();
    if (const CheckResult failure = SelectCommand(c.state, shown.form)) {
        ShowFailure(*failure);
        return;
    }
    c.lastSelection =
        gfx::ReportRecord{ReadCustomer(), c.menus->CaseFileName(), gfx::SpecificationsOf(shown), c.state, {}};
    c.results.Show(*c.lastSelection, shown.form, EvaluateCaseRanges(m_toolkit, *this, shown));
    c.menus->SelectionAvailable(true);
}

void FrmInput::cmdImage_Click()
{
    Controls& c = *m_controls;
    const CheckResult failure =
        ImageChangeCommand(c.state, ReadForm(), [&c] { c.Picture1->Draw(c.state.inputs, false); });
    if (failure) {
        ShowFailure(*failure);
    }
}

void FrmInput::OpFulcrum_Click(int item)
{
    Controls& c = *m_controls;
    TakeBackMarks();
    EntryForm form = ReadForm();
    ChangeFulcrum(form, static_cast<std::int16_t>(item));
    for (const int angle : {kItemAlpha, kItemBeta, kItemGamma}) {
        c.txtInput[angle]->setText(QString::fromStdString(form.txtInput[angle]));
    }
    c.state.inputs.fulcrumIndex = form.fulcrumIndex;
}

void FrmInput::OpMethod1_Click(int item) { EnableOneSensorOptions(item == 1); }

// Editing an angle takes back every angle mark and the fulcrum's; editing
// any other field takes back its own mark (a value too large for a double).
void FrmInput::txtInput_Change(int item)
{
    // A value typed over a helper's is no longer the helper's.
    if (item == kItemFS) {
        m_controls->tensionFrom.reset();
    }
    if (item == kItemWr) {
        m_controls->rollerFrom.reset();
    }
    if (item == kItemAlpha || item == kItemBeta || item == kItemGamma) {
        TakeBackMarks();
        return;
    }
    SetColour(*m_controls->txtInput[item], QPalette::Text, kBlack);
}

// As if typed: every mark taken back, the sketch of the opened angles, no
// result of another case left open or reportable.
void FrmInput::ShowCase(const Case& shown)
{
    Controls& c = *m_controls;
    c.results.ForgetCase();
    c.lastSelection.reset();
    c.menus->SelectionAvailable(false);
    for (int item = 0; item < kCustomerCount; ++item) {
        c.customer[item]->setText(QString::fromStdString(shown.report[item]));
    }
    for (int item = 0; item < kFieldCount; ++item) {
        c.txtInput[item]->setText(QString::fromStdString(shown.form.txtInput[item]));
        SetColour(*c.txtInput[item], QPalette::Text, kBlack);
    }
    const EntryForm& form = shown.form;
    const std::array<int, kGroupCount> selected{form.opType, form.fulcrumIndex, form.opMethod1, form.opMethod2,
                                                form.opMethod3};
    for (int group = 0; group < kGroupCount; ++group) {
        c.groups[group].options[selected[group]]->setChecked(true);
    }
    c.state.inputs.fulcrumIndex = form.fulcrumIndex;
    EnableOneSensorOptions(form.opMethod1 == 1);
    TakeBackMarks();
    if (shown.forceUnit != c.state.forceUnit) {
        ShowUnit(shown.forceUnit);
        // At start the case gives the unit; later it changes the run's unit.
        if (c.unitScreenShown) {
            const QString unit = ToQString(UnitWord(shown.forceUnit));
            m_toolkit.ShowMessage(
                this, QString(),
                QStringLiteral("This case gives its forces in %1: the unit of force is now %1.").arg(unit),
                BoxIcon::Information);
        }
    }
    DrawOpenedSketch(form);
    c.tensionFrom = shown.tensionFrom;
    c.rollerFrom = shown.rollerFrom;
    c.ranges = shown.ranges;
    ShowRangesLine();
    // As at start, typing goes into the customer block's first field.
    c.customer[0]->setFocus();
}

// The helpers' values go in as if typed, then their records: the report
// and the case file say where the values came from.
void FrmInput::TensionTool()
{
    Controls& c = *m_controls;
    const Expected<MaterialTable>& table = m_materials.Get();
    if (!table) {
        m_toolkit.ShowMessage(
            this, QString(),
            QStringLiteral("The material table could not be read.\n%1").arg(ToQString(table.Error().reason)),
            BoxIcon::Exclamation);
        return;
    }
    const Expected<double> entered = ReadMeasure("tension", c.txtInput[kItemFS]->text().toStdString(), "");
    FrmTension dialog(*table, c.state.forceUnit, entered ? std::optional(*entered) : std::nullopt, c.tensionFrom, this);
    ExplainOnF1(dialog, "Tension from the web material");
    m_toolkit.ShowModal(dialog);
    if (const auto& choice = dialog.Choice()) {
        c.txtInput[kItemFS]->setText(ToQString(choice->tension));
        c.tensionFrom = choice->origin;
        c.menus->CaseEdited();
    }
}

void FrmInput::RollerTool()
{
    Controls& c = *m_controls;
    const ForceUnit unit = c.state.forceUnit;
    const Expected<double> speed = ReadMeasure("speed", c.txtInput[kItemV]->text().toStdString(), "");
    FrmRoller dialog(unit, speed ? std::optional(InProgramUnits(Quantity::Speed, *speed, unit)) : std::nullopt,
                     c.rollerFrom, this);
    ExplainOnF1(dialog, "Roller weight and limits from its drawing");
    m_toolkit.ShowModal(dialog);
    if (const auto& choice = dialog.Choice()) {
        c.txtInput[kItemD]->setText(ToQString(choice->fields.diameter));
        c.txtInput[kItemWr]->setText(ToQString(choice->fields.rollerWeight));
        c.rollerFrom = choice->drawing;
        c.menus->CaseEdited();
    }
}

// The ranges are checked against the entries as they stand when OK is
// pressed; "Select" checks them again against its own.
void FrmInput::RangesTool()
{
    Controls& c = *m_controls;
    FrmRanges dialog(
        m_toolkit, c.ranges, c.state.forceUnit,
        [this](const CaseRanges& typed) {
            Case trial = ReadCase();
            trial.ranges = typed;
            return RangesRefusal(trial);
        },
        this);
    // Document 4's ninth example explains ranges and remedies.
    AddKey(dialog, QKeySequence::HelpContents, [this, &dialog] {
        m_controls->explanation.ShowDocument(QStringLiteral("Explanation4.rtf"),
                                             QStringLiteral("How the ranges are evaluated"), dialog);
    });
    m_toolkit.ShowModal(dialog);
    if (const auto& choice = dialog.Choice(); choice && *choice != c.ranges) {
        c.ranges = *choice;
        ShowRangesLine();
        c.menus->CaseEdited();
    }
}

// The case on screen as it stands, saved or not, is the first to compare.
void FrmInput::CompareTool()
{
    FrmCompare dialog(m_toolkit, SelectCompared(OnScreenName(m_controls->menus->CaseFileName()), ReadCase()), this);
    AddKey(dialog, QKeySequence::HelpContents, [this, &dialog] {
        m_controls->explanation.ShowDocument(QStringLiteral("Explanation2.rtf"),
                                             QStringLiteral("Comparing cases side by side"), dialog);
    });
    m_toolkit.ShowModal(dialog);
}

void FrmInput::ShowRangesLine()
{
    Controls& c = *m_controls;
    const std::string line = RangesLine(c.ranges, c.state.forceUnit);
    c.lblRanges->setText(ToQString(line));
    c.lblRanges->setVisible(!line.empty());
}

// F1 asks for help here as in every other window: document 5 explains the
// helpers, each under its heading.
void FrmInput::ExplainOnF1(QDialog& helper, const char* heading)
{
    AddKey(helper, QKeySequence::HelpContents, [this, &helper, heading] {
        m_controls->explanation.ShowDocument(QStringLiteral("Explanation5.rtf"), QString::fromUtf8(heading), helper);
    });
}

void FrmInput::ShowUnit(ForceUnit forceUnit)
{
    Controls& c = *m_controls;
    c.state.forceUnit = forceUnit;
    // An lbf case gives every length, weight and speed in its own unit too.
    const auto labels = UnitLabels(forceUnit);
    for (int item = 0; item < kFieldCount; ++item) {
        c.lblTani[item]->setText(ToQString(labels[static_cast<std::size_t>(item)]));
    }
    ShowRangesLine();
}

// "Image chgange" without its messages: angles out of range leave the
// typical arrangement of the start.
void FrmInput::DrawOpenedSketch(const EntryForm& form)
{
    Controls& c = *m_controls;
    bool drawn = false;
    ImageChangeCommand(c.state, form, [&c, &drawn] {
        c.Picture1->Draw(c.state.inputs, false);
        drawn = true;
    });
    if (!drawn) {
        DrawStartingSketch();
    }
}

// A typical arrangement, with the marks of the sign conventions.
void FrmInput::DrawStartingSketch()
{
    Controls& c = *m_controls;
    c.state.inputs.beta = 80;
    c.state.inputs.alpha = 20;
    c.state.inputs.gamma = 20;
    c.state.inputs.l = 20;
    c.Picture1->Draw(c.state.inputs, true);
}

Case FrmInput::ReadCase() const
{
    const Controls& c = *m_controls;
    Case read;
    read.form = ReadForm();
    read.forceUnit = c.state.forceUnit;
    read.tensionFrom = c.tensionFrom;
    read.rollerFrom = c.rollerFrom;
    read.ranges = c.ranges;
    for (int item = 0; item < kCustomerCount; ++item) {
        read.report[item] = c.customer[item]->text().toStdString();
    }
    return read;
}

EntryForm FrmInput::ReadForm() const
{
    const Controls& c = *m_controls;
    EntryForm form;
    for (int item = 0; item < kFieldCount; ++item) {
        form.txtInput[item] = c.txtInput[item]->text().toStdString();
    }
    form.opType = c.groups[kOpType].Selected();
    form.fulcrumIndex = c.state.inputs.fulcrumIndex;
    form.opMethod1 = c.groups[kOpMethod1].Selected();
    form.opMethod2 = c.groups[kOpMethod2].Selected();
    form.opMethod3 = c.groups[kOpMethod3].Selected();
    return form;
}

gfx::ReportCustomer FrmInput::ReadCustomer() const { return gfx::CustomerOf(ReadCase()); }

// The marks come after the box is closed, so that they are seen with it gone.
void FrmInput::ShowFailure(const CheckFailure& failure)
{
    Controls& c = *m_controls;
    const BoxIcon icon = failure.icon == MessageIcon::Exclamation ? BoxIcon::Exclamation : BoxIcon::Information;
    m_toolkit.ShowMessage(this, QString::fromStdString(failure.title), QString::fromStdString(failure.message), icon);
    if (failure.fulcrumMarked) {
        for (QRadioButton* option : c.groups[kOpFulcrum].options) {
            if (option->isChecked()) {
                SetColour(*option, QPalette::WindowText, kLightRed);
            }
        }
    }
    for (const int item : failure.markedItems) {
        SetColour(*c.txtInput[item], QPalette::Text, kLightRed);
    }
}

void FrmInput::TakeBackMarks()
{
    Controls& c = *m_controls;
    for (const int item : {kItemAlpha, kItemBeta, kItemGamma}) {
        SetColour(*c.txtInput[item], QPalette::Text, kBlack);
    }
    for (QRadioButton* option : c.groups[kOpFulcrum].options) {
        SetColour(*option, QPalette::WindowText, kBlack);
    }
}

void FrmInput::EnableOneSensorOptions(bool enabled)
{
    for (const int group : {kOpMethod2, kOpMethod3}) {
        for (QRadioButton* option : m_controls->groups[group].options) {
            option->setEnabled(enabled);
        }
    }
}

}  // namespace vyra::ui
