#include "FrmInput.h"

#include "CaptionFrame.h"
#include "Captions.h"
#include "Case.h"
#include "CheckFailure.h"
#include "Commands.h"
#include "ExplanationFiles.h"
#include "FrmExplanation.h"
#include "FrmInit.h"
#include "InputMenus.h"
#include "InputReading.h"
#include "NumberText.h"
#include "Placement.h"
#include "ReportRecord.h"
#include "ResultFormat.h"
#include "ResultScreens.h"
#include "RunState.h"
#include "SketchArea.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
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
constexpr double kScreenPoints = 9;
constexpr double kCaptionPoints = 11.25;

// Palette indices of the marks.
constexpr int kBlack = 0;
constexpr int kLightRed = 12;

// The customer block's fields, in the order of the case's report entries.
constexpr int kCustomerCount = kReportItemCount;

struct CustomerRow {
    const char* caption;
    double captionLeft;
    double captionTop;
    const char* field;
    TwipBox box;
};

constexpr std::array<CustomerRow, kCustomerCount> kCustomerRows{{
    {"Customer", 240, 120, "txtFNmame", {1440, 120, 3495, 270}},
    {"Order No.", 5040, 120, "txtOrderNo", {6240, 120, 2895, 270}},
    {"Machine", 240, 600, "txtMName", {1320, 585, 2535, 270}},
    {"Date", 3960, 600, "txtDate", {4560, 585, 1335, 270}},
    {"Name", 6000, 600, "txtName", {6600, 600, 2535, 270}},
}};

// The two rules that set the customer block apart, one pixel high at 96 dpi.
constexpr std::array<TwipBox, 2> kRules{{{240, 480, 8880, 15}, {240, 960, 8880, 15}}};

enum GroupItem { kOpType, kOpFulcrum, kOpMethod1, kOpMethod2, kOpMethod3, kGroupCount };

// Options stand inside their frame at these offsets, item 0 above item 1;
// optionWidth leaves the same margin on the right.
struct OptionFrame {
    const char* frame;
    const char* caption;
    TwipBox box;
    const char* group;
    std::array<const char*, 2> options;
    double optionWidth;
};

constexpr double kOptionLeft = 120;
constexpr std::array<double, 2> kOptionTops{240, 600};
constexpr double kOptionHeight = 255;

constexpr std::array<OptionFrame, kGroupCount> kOptionFrames{{
    {"frType", "Type", {240, 1080, 2535, 975}, "OpType", {"Standard", "Intrinsically safe"}, 2295},
    {"frFurclum", "Fulcrum", {2880, 1080, 1935, 975}, "OpFulcrum", {"Right(R)", "Left(L)"}, 1695},
    {"frMethod", "Detection method", {120, 5760, 2415, 975}, "OpMethod1", {"Two sensors", "One sensor"}, 2175},
    {"Frame1", "One sensor", {2640, 5760, 1815, 975}, "OpMethod2", {"One side", "Independent"}, 1575},
    {"Frame2", "Channel", {4560, 5760, 1335, 975}, "OpMethod3", {"Both", "One"}, 1095},
}};

// An entry row: the field's top and height, and where its unit label
// stands; the unit labels end short of the sketch area.
struct EntryRow {
    double top;
    double height;
    double unitLeft;
    double unitWidth;
};

constexpr double kTitleLeft = 240;
constexpr double kTitleWidth = 2700;
constexpr double kFieldLeft = 3000;
constexpr double kFieldWidth = 855;

constexpr std::array<EntryRow, kFieldCount> kEntryRows{{
    {2160, 330, 4200, 705},
    {2520, 330, 4320, 585},
    {2880, 345, 4320, 585},
    {3240, 345, 3960, 945},
    {3600, 345, 3960, 945},
    {3960, 345, 3960, 945},
    {4320, 345, 4320, 585},
    {4680, 345, 4320, 585},
    {5040, 345, 4320, 585},
    {5400, 345, 3960, 945},
}};

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString ItemName(const char* name, int item) { return QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(item); }

// A label that sizes itself to its caption, like the captions of the
// customer block and "<Image>", whose boxes have only a position.
QLabel* AddCaption(QWidget& parent, const char* caption, double left, double top, const QFont& font)
{
    auto* label = new QLabel(QString::fromUtf8(caption), &parent);
    label->setFont(font);
    label->adjustSize();
    label->move(TwipsRect({left, top, 0, 0}, *label).topLeft());
    return label;
}

void SetColour(QWidget& control, QPalette::ColorRole role, int paletteIndex)
{
    const gfx::Rgb rgb = gfx::PaletteColor(paletteIndex);
    QPalette palette = control.palette();
    palette.setColor(role, QColor(rgb.red, rgb.green, rgb.blue));
    control.setPalette(palette);
}

struct OptionGroup {
    QGroupBox* frame = nullptr;
    std::array<QRadioButton*, 2> options{};
    QButtonGroup* group = nullptr;

    // Item 0 or 1; one of the two is always selected after load.
    int Selected() const { return options[0]->isChecked() ? 0 : 1; }
};

}  // namespace

struct FrmInput::Controls {
    Controls(Toolkit& toolkit, std::function<gfx::ReportCustomer()> readCustomer)
        : results(toolkit, std::move(readCustomer)), explanation(toolkit, documentFiles)
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
    std::array<QLineEdit*, kCustomerCount> customer{};
    std::array<OptionGroup, kGroupCount> groups{};
    std::array<QLabel*, kFieldCount> lblTitle{};
    std::array<QLineEdit*, kFieldCount> txtInput{};
    std::array<QLabel*, kFieldCount> lblTani{};
    SketchArea* Picture1 = nullptr;
    QPushButton* cmdImage = nullptr;
    QPushButton* cmdResult = nullptr;
    QPushButton* cmdExplanation = nullptr;
    ResultScreens results;
    WorkingDirectoryFiles documentFiles{WorkingDirectoryFiles::kMaxDocumentBytes, InstalledDocumentsFolder()};
    ExplanationScreens explanation;
};

FrmInput::FrmInput(Toolkit& toolkit, QWidget* parent)
    : QWidget(parent),
      m_toolkit(toolkit),
      m_controls(std::make_unique<Controls>(toolkit, [this] { return ReadCustomer(); }))
{
    setObjectName(QStringLiteral("frmInput"));
    setWindowTitle(ToQString(kProgramTitle));
    setFont(CourierNew(kScreenPoints));
    Controls& c = *m_controls;
    c.client = new QWidget(this);
    c.client->setObjectName(QStringLiteral("client"));
    c.client->setFixedSize(TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight, *this));
    c.menus = std::make_unique<InputMenus>(toolkit, CaseScreen{this, [this] { return ReadCase(); },
                                                               [this](const Case& shown) { ShowCase(shown); },
                                                               [this]() -> std::optional<gfx::ReportRecord> {
                                                                   auto record = m_controls->lastSelection;
                                                                   if (record) {
                                                                       record->customer = ReadCustomer();
                                                                   }
                                                                   return record;
                                                               },
                                                               [this] { m_controls->explanation.Show(); }});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(c.menus->MenuBar());
    layout->addWidget(c.client);
    BuildCustomerBlock();
    BuildOptionFrames();
    BuildEntryRows();
    BuildSketchAndCommands();
    SetTabOrder();
    ConnectHandlers();
    Form_Load();
}

FrmInput::~FrmInput() = default;

void FrmInput::BuildCustomerBlock()
{
    Controls& c = *m_controls;
    for (int item = 0; item < kCustomerCount; ++item) {
        const CustomerRow& row = kCustomerRows[item];
        AddCaption(*c.client, row.caption, row.captionLeft, row.captionTop, CourierNew(kCaptionPoints));
        auto* field = new QLineEdit(c.client);
        field->setObjectName(QString::fromUtf8(row.field));
        Place(*field, row.box);
        c.customer[item] = field;
    }
    for (const TwipBox& box : kRules) {
        auto* rule = new QFrame(c.client);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Plain);
        Place(*rule, box);
    }
}

void FrmInput::BuildOptionFrames()
{
    Controls& c = *m_controls;
    for (int index = 0; index < kGroupCount; ++index) {
        const OptionFrame& table = kOptionFrames[index];
        OptionGroup& group = c.groups[index];
        group.frame = new CaptionFrame(QString::fromUtf8(table.caption), c.client);
        group.frame->setObjectName(QString::fromUtf8(table.frame));
        group.frame->setFont(CourierNew(kCaptionPoints));
        Place(*group.frame, table.box);
        group.group = new QButtonGroup(group.frame);
        for (int item = 0; item < 2; ++item) {
            auto* option = new QRadioButton(QString::fromUtf8(table.options[item]), group.frame);
            option->setObjectName(ItemName(table.group, item));
            option->setFont(CourierNew(kScreenPoints));
            Place(*option, {kOptionLeft, kOptionTops[item], table.optionWidth, kOptionHeight});
            group.group->addButton(option, item);
            group.options[item] = option;
        }
    }
}

void FrmInput::BuildEntryRows()
{
    Controls& c = *m_controls;
    const auto captions = FieldCaptions();
    const auto units = UnitLabels(c.state.forceUnit);
    for (int item = 0; item < kFieldCount; ++item) {
        const EntryRow& row = kEntryRows[item];
        c.lblTitle[item] = new QLabel(ToQString(captions[item]), c.client);
        c.lblTitle[item]->setObjectName(ItemName("lblTitle", item));
        c.lblTitle[item]->setFont(CourierNew(kCaptionPoints));
        Place(*c.lblTitle[item], {kTitleLeft, row.top, kTitleWidth, row.height});
        c.txtInput[item] = new QLineEdit(c.client);
        c.txtInput[item]->setObjectName(ItemName("txtInput", item));
        Place(*c.txtInput[item], {kFieldLeft, row.top, kFieldWidth, row.height});
        // The tension's unit is known only once the unit screen has been shown.
        c.lblTani[item] = new QLabel(item == kItemFS ? QString() : ToQString(units[item]), c.client);
        c.lblTani[item]->setObjectName(ItemName("lblTani", item));
        Place(*c.lblTani[item], {row.unitLeft, row.top, row.unitWidth, row.height});
    }
}

void FrmInput::BuildSketchAndCommands()
{
    Controls& c = *m_controls;
    AddCaption(*c.client, "<Image>", 5040, 1080, CourierNew(kCaptionPoints, true))
        ->setObjectName(QStringLiteral("Label8"));
    c.Picture1 = new SketchArea(c.client);
    c.Picture1->setObjectName(QStringLiteral("Picture1"));
    Place(*c.Picture1, {4920, 1440, gfx::kSketchAreaTwips, gfx::kSketchAreaTwips});
    const auto addButton = [&c](const char* name, const char* caption, const TwipBox& box) {
        auto* button = new QPushButton(QString::fromUtf8(caption), c.client);
        button->setObjectName(QString::fromUtf8(name));
        Place(*button, box);
        return button;
    };
    c.cmdImage = addButton("cmdImage", "Image chgange", {6120, 5880, 1695, 375});
    c.cmdResult = addButton("cmdResult", "Select", {7920, 5880, 1215, 855});
    c.cmdExplanation = addButton("cmdExplanation", "Explanation", {6120, 6360, 1695, 375});
}

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
    }
    ShowUnit(c.state.forceUnit);
}

void FrmInput::cmdResult_Click()
{
    Controls& c = *m_controls;
    const EntryForm form = ReadForm();
    if (const CheckResult failure = SelectCommand(c.state, form)) {
        ShowFailure(*failure);
        return;
    }
    c.lastSelection = gfx::ReportRecord{ReadCustomer(), gfx::SpecificationsOf(form, c.state.forceUnit), c.state, {}};
    c.results.Show(*c.lastSelection, form);
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
    if (item != c.state.inputs.fulcrumIndex) {
        QLineEdit& alpha = *c.txtInput[kItemAlpha];
        QLineEdit& beta = *c.txtInput[kItemBeta];
        QLineEdit& gamma = *c.txtInput[kItemGamma];
        const QString wrapAlpha = alpha.text();
        alpha.setText(beta.text());
        beta.setText(wrapAlpha);
        if (!gamma.text().isEmpty()) {
            gamma.setText(QString::fromStdString(vyra::NegatedNumberText(gamma.text().toStdString())));
        }
    }
    c.state.inputs.fulcrumIndex = static_cast<std::int16_t>(item);
}

void FrmInput::OpMethod1_Click(int item) { EnableOneSensorOptions(item == 1); }

// Editing an angle takes back every angle mark and the fulcrum's; editing
// any other field takes back its own mark (a value too large for a double).
void FrmInput::txtInput_Change(int item)
{
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
    c.results.CloseBoth();
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
            const QString unit = ToQString(kChoices[kUnitChoice].words[shown.forceUnit == 1 ? 1 : 0]);
            m_toolkit.ShowMessage(
                this, QString(),
                QStringLiteral("This case gives its forces in %1: the unit of force is now %1.").arg(unit),
                BoxIcon::Information);
        }
    }
    DrawOpenedSketch(form);
}

void FrmInput::ShowUnit(std::int16_t forceUnit)
{
    Controls& c = *m_controls;
    c.state.forceUnit = forceUnit;
    c.lblTani[kItemFS]->setText(ToQString(ForceUnitLabel(forceUnit)));
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
