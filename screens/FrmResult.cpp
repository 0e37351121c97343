#include "FrmResult.h"

#include "Placement.h"
#include "ResultFormat.h"
#include "ResultNotes.h"
#include "RunState.h"

#include <QLabel>

#include <string>
#include <utility>

namespace vyra::ui {

namespace {

constexpr Qt::Alignment kCentred = Qt::AlignHCenter;
constexpr double kNotesPoints = 7.5;

}  // namespace

FrmResult::FrmResult(const ResultScreenLayout& layout, ResultCommands commands)
    : ResultScreen(QString::fromUtf8(layout.caption), layout.rules, std::move(commands)), m_set(layout.set())
{
    ResultPicture& picture = Picture1();
    for (const TableText& text : layout.headings) {
        picture.AddLabel(text);
    }
    for (const RunUnitText& text : layout.runUnitTexts) {
        m_runUnitTexts.emplace_back(&picture.AddLabel(text.place), &text);
    }
    for (const RunUnitText& note : layout.notes) {
        QLabel& label = picture.AddLabel(note.place);
        if (note.text != nullptr) {
            m_runUnitTexts.emplace_back(&label, &note);
        }
    }
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        const ValueColumn& column = layout.columns[c];
        AddColumnHeadings(column, static_cast<int>(c));
        m_values.emplace_back(column.column, picture.AddValueColumn(column.name, column.left, column.width));
    }
    m_lblName = picture.AddNameColumn();
    if (layout.runNotes.width > 0) {
        m_lblNotes = new QLabel(this);
        m_lblNotes->setObjectName(QStringLiteral("lblNotes"));
        m_lblNotes->setWordWrap(true);
        m_lblNotes->setFont(CourierNew(kNotesPoints));
        m_lblNotes->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Place(*m_lblNotes, layout.runNotes);
        m_lblNotes->hide();
    }
    if (layout.calculationId.width > 0) {
        m_lblCalculationId = new QLabel(this);
        m_lblCalculationId->setObjectName(QStringLiteral("lblCalculationId"));
        m_lblCalculationId->setFont(CourierNew(kNotesPoints));
        m_lblCalculationId->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Place(*m_lblCalculationId, layout.calculationId);
    }
    CentreOnDisplay(*this, layout.belowCentre);
}

// A unit heading that follows the run is written by Fill; a force column's
// is named lblTani(index).
void FrmResult::AddColumnHeadings(const ValueColumn& column, int index)
{
    const ResultColumn& shown = *column.column;
    ResultPicture& picture = Picture1();
    if (column.symbol.width > 0) {
        std::string symbol(shown.symbol);
        if (column.unit.width == 0) {
            symbol += shown.fixedUnit;
        }
        picture.AddLabel({nullptr, symbol.c_str(), column.symbol, kCentred, column.symbolPoints});
    }
    if (column.unit.width == 0) {
        return;
    }
    if (column.unitCaption != nullptr || shown.quantity == Quantity::Fixed) {
        const std::string unit = column.unitCaption != nullptr ? column.unitCaption : std::string(shown.fixedUnit);
        picture.AddLabel({nullptr, unit.c_str(), column.unit, kCentred, 0});
        return;
    }
    const QByteArray name = shown.quantity == Quantity::Force ? ItemName("lblTani", index).toLatin1() : QByteArray();
    QLabel& heading = picture.AddLabel({name.isEmpty() ? nullptr : name.constData(), "", column.unit, kCentred, 0});
    m_unitHeadings.emplace_back(&heading, &shown);
}

void FrmResult::Fill(const RunState& selection, std::string_view calculationId)
{
    if (m_lblCalculationId != nullptr) {
        m_lblCalculationId->setText(calculationId.empty()
                                        ? QString()
                                        : QString::fromStdString("Calculation ID: " + std::string(calculationId)));
    }
    for (const auto& [label, text] : m_runUnitTexts) {
        label->setText(QString::fromStdString(text->text(selection.forceUnit)));
    }
    for (const auto& [label, column] : m_unitHeadings) {
        const std::string_view heading = UnitHeading(*column, selection.forceUnit);
        label->setText(QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size())));
    }
    std::array<std::string, kModelCount> names;
    std::array<bool, kModelCount> framed{};
    for (int i = 0; i < kModelCount; ++i) {
        names[static_cast<std::size_t>(i)] = ModelLabel(selection, i);
        framed[static_cast<std::size_t>(i)] = m_set.withinTolerance(selection, i);
    }
    ShowModelNames(m_lblName, names);
    for (const auto& [shown, values] : m_values) {
        const ResultColumn& column = *shown;
        const int decimals = ShownDecimals(column, selection.forceUnit);
        std::array<ShownFigure, kModelCount> figures;
        for (int i = 0; i < kModelCount; ++i) {
            figures[static_cast<std::size_t>(i)] = {ShownText(column, selection, i), ShownValue(column, selection, i),
                                                    decimals, Failed(column, selection, i)};
        }
        ShowValueColumn(values, figures);
    }
    Picture1().SetFramedRows(framed);
    if (m_lblNotes != nullptr) {
        std::string notes;
        for (const std::string& note : ResultNotes(selection)) {
            notes += (notes.empty() ? "" : "\n") + note;
        }
        m_lblNotes->setText(QString::fromStdString(notes));
        m_lblNotes->setVisible(!notes.empty());
    }
}

}  // namespace vyra::ui
