#include "FrmResult.h"

#include "ResultFormat.h"

#include <QLabel>

#include <string>
#include <utility>

namespace vyra::ui {

namespace {

constexpr Qt::Alignment kCentred = Qt::AlignHCenter;

}  // namespace

FrmResult::FrmResult(const ResultScreenLayout& layout, ResultCommands commands)
    : ResultScreen(QString::fromUtf8(layout.caption), layout.rules, std::move(commands)), m_set(layout.set())
{
    ResultPicture& picture = Picture1();
    for (const TableText& text : layout.headings) {
        picture.AddLabel(text);
    }
    if (layout.forceUnitHeading.name != nullptr) {
        m_lblTani.push_back(&picture.AddLabel(layout.forceUnitHeading));
    }
    for (const TableText& text : layout.notes) {
        picture.AddLabel(text);
    }
    for (std::size_t c = 0; c < m_set.columns.size(); ++c) {
        const ValueColumn& column = layout.columns[c];
        AddColumnHeadings(column, m_set.columns[c], static_cast<int>(c));
        m_values.push_back(picture.AddValueColumn(column.name, column.left, column.width));
    }
    m_lblName = picture.AddNameColumn();
    CentreOnDisplay(*this, layout.belowCentre);
}

// A force column's unit heading is lblTani(index), written by Fill.
void FrmResult::AddColumnHeadings(const ValueColumn& column, const ResultColumn& shown, int index)
{
    ResultPicture& picture = Picture1();
    if (column.symbol.width > 0) {
        std::string symbol(shown.symbol);
        if (column.unit.width == 0) {
            symbol += shown.unit;
        }
        picture.AddLabel({nullptr, symbol.c_str(), column.symbol, kCentred, column.symbolPoints});
    }
    if (column.unit.width == 0) {
        return;
    }
    if (shown.unit == kForceUnit) {
        const QByteArray name = ItemName("lblTani", index).toLatin1();
        m_lblTani.push_back(&picture.AddLabel({name.constData(), "", column.unit, kCentred, 0}));
    } else {
        const std::string unit = column.unitCaption != nullptr ? column.unitCaption : std::string(shown.unit);
        picture.AddLabel({nullptr, unit.c_str(), column.unit, kCentred, 0});
    }
}

void FrmResult::Fill(const RunState& selection)
{
    const std::string_view unitLabel = ForceUnitLabel(selection.forceUnit);
    for (QLabel* tani : m_lblTani) {
        tani->setText(QString::fromUtf8(unitLabel.data(), static_cast<qsizetype>(unitLabel.size())));
    }
    std::array<std::string, kModelCount> names;
    std::array<bool, kModelCount> framed{};
    for (int i = 0; i < kModelCount; ++i) {
        names[static_cast<std::size_t>(i)] = ModelLabel(selection, i);
        framed[static_cast<std::size_t>(i)] = m_set.withinTolerance(selection, i);
    }
    ShowModelNames(m_lblName, names);
    for (std::size_t c = 0; c < m_set.columns.size(); ++c) {
        const ResultColumn& column = m_set.columns[c];
        const int decimals = ShownDecimals(column, selection.forceUnit);
        std::array<ShownFigure, kModelCount> figures;
        for (int i = 0; i < kModelCount; ++i) {
            figures[static_cast<std::size_t>(i)] = {ShownText(column, selection, i), ShownValue(column, selection, i),
                                                    decimals, Failed(column, selection, i)};
        }
        ShowValueColumn(m_values[c], figures);
    }
    Picture1().SetFramedRows(framed);
}

}  // namespace vyra::ui
