#include "InputControls.h"

#include "CaptionFrame.h"
#include "Captions.h"
#include "Placement.h"
#include "SketchArea.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vyra::ui {

namespace {

constexpr double kCaptionPoints = 11.25;

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

void BuildCustomerBlock(QWidget& client, InputControls& c)
{
    for (int item = 0; item < kCustomerCount; ++item) {
        const CustomerRow& row = kCustomerRows[item];
        AddCaption(client, row.caption, row.captionLeft, row.captionTop, CourierNew(kCaptionPoints));
        auto* field = new QLineEdit(&client);
        field->setObjectName(QString::fromUtf8(row.field));
        Place(*field, row.box);
        c.customer[item] = field;
    }
    for (const TwipBox& box : kRules) {
        auto* rule = new QFrame(&client);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Plain);
        Place(*rule, box);
    }
}

void BuildOptionFrames(QWidget& client, InputControls& c)
{
    for (int index = 0; index < kGroupCount; ++index) {
        const OptionFrame& table = kOptionFrames[index];
        OptionGroup& group = c.groups[index];
        group.frame = new CaptionFrame(QString::fromUtf8(table.caption), &client);
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

void BuildEntryRows(QWidget& client, ForceUnit forceUnit, InputControls& c)
{
    const auto captions = FieldCaptions();
    const auto units = UnitLabels(forceUnit);
    for (int item = 0; item < kFieldCount; ++item) {
        const EntryRow& row = kEntryRows[item];
        c.lblTitle[item] = new QLabel(ToQString(captions[item]), &client);
        c.lblTitle[item]->setObjectName(ItemName("lblTitle", item));
        c.lblTitle[item]->setFont(CourierNew(kCaptionPoints));
        Place(*c.lblTitle[item], {kTitleLeft, row.top, kTitleWidth, row.height});
        c.txtInput[item] = new QLineEdit(&client);
        c.txtInput[item]->setObjectName(ItemName("txtInput", item));
        Place(*c.txtInput[item], {kFieldLeft, row.top, kFieldWidth, row.height});
        // The tension's unit is known only once the unit screen has been shown.
        c.lblTani[item] = new QLabel(item == kItemFS ? QString() : ToQString(units[item]), &client);
        c.lblTani[item]->setObjectName(ItemName("lblTani", item));
        Place(*c.lblTani[item], {row.unitLeft, row.top, row.unitWidth, row.height});
    }
}

void BuildSketchAndCommands(QWidget& client, InputControls& c)
{
    AddCaption(client, "<Image>", 5040, 1080, CourierNew(kCaptionPoints, true))
        ->setObjectName(QStringLiteral("Label8"));
    c.Picture1 = new SketchArea(&client);
    c.Picture1->setObjectName(QStringLiteral("Picture1"));
    Place(*c.Picture1, {4920, 1440, gfx::kSketchAreaTwips, gfx::kSketchAreaTwips});
    const auto addButton = [&client](const char* name, const char* caption, const TwipBox& box) {
        auto* button = new QPushButton(QString::fromUtf8(caption), &client);
        button->setObjectName(QString::fromUtf8(name));
        Place(*button, box);
        return button;
    };
    c.cmdImage = addButton("cmdImage", "Image chgange", {6120, 5880, 1695, 375});
    c.cmdResult = addButton("cmdResult", "Select", {7920, 5880, 1215, 855});
    c.cmdExplanation = addButton("cmdExplanation", "Explanation", {6120, 6360, 1695, 375});
}

}  // namespace

int OptionGroup::Selected() const { return options[0]->isChecked() ? 0 : 1; }

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void BuildInputControls(QWidget& client, ForceUnit forceUnit, InputControls& controls)
{
    BuildCustomerBlock(client, controls);
    BuildOptionFrames(client, controls);
    BuildEntryRows(client, forceUnit, controls);
    BuildSketchAndCommands(client, controls);
}

}  // namespace vyra::ui
