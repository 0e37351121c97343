#include "ToolDialogs.h"

#include "HelperTexts.h"
#include "InputControls.h"
#include "Placement.h"
#include "ResultFormat.h"
#include "RunState.h"
#include "Units.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include <array>
#include <string_view>
#include <utility>

namespace vyra::ui {

namespace {

constexpr double kPoints = 9;
// The letters a choice is wide enough for, "aluminium-foil" among them.
constexpr int kChoiceLetters = 16;
// The materials of a roller's tube; "other" takes density and modulus.
constexpr std::array<const char*, 4> kRollerMaterials{"steel", "aluminium", "carbon", "other"};

QLineEdit* AddField(QFormLayout& form, const char* name, const QString& caption, const std::string& text = {})
{
    auto* field = new QLineEdit(ToQString(text));
    field->setObjectName(QString::fromLatin1(name));
    form.addRow(caption, field);
    return field;
}

QComboBox* AddChoice(QFormLayout& form, const char* name, const QString& caption, const QStringList& items)
{
    auto* choice = new QComboBox;
    choice->setObjectName(QString::fromLatin1(name));
    // A user's table may hold tens of thousands of names: a plain list
    // model takes them at once, and a width of its own spares measuring
    // each name (the field stretches with the dialog anyway).
    choice->setModel(new QStringListModel(items, choice));
    choice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    choice->setMinimumContentsLength(kChoiceLetters);
    form.addRow(caption, choice);
    return choice;
}

// The result label under the fields, and "Show", "Use" and "Cancel".
QLabel* AddResultAndButtons(QDialog& dialog, QFormLayout* form, const char* labelName)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(labelName));
    label->setWordWrap(true);
    label->setMinimumWidth(TwipsToPixels(7200, dialog));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    // "Use" is what a helper is opened for: Enter in any field, or Alt+U,
    // takes the value without tabbing past every field to it.
    for (const auto& [name, caption] : {std::pair{"cmdShow", "Show"}, {"cmdUse", "&Use"}, {"cmdCancel", "Cancel"}}) {
        auto* button = new QPushButton(QString::fromLatin1(caption));
        button->setObjectName(QString::fromLatin1(name));
        button->setDefault(std::string_view(name) == "cmdUse");
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(label);
    layout->addLayout(buttons);
    dialog.setFont(CourierNew(kPoints));
    return label;
}

QPushButton& Button(const QDialog& dialog, const char* name)
{
    return *dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

std::string Text(const QLineEdit* field) { return field->text().trimmed().toStdString(); }

// A caption with the unit the run gives the quantity in: "Width [in]".
QString Captioned(const char* caption, Quantity quantity, ForceUnit unit)
{
    return QString::fromUtf8(caption) + QLatin1Char(' ') + ToQString(UnitCaption(quantity, unit));
}

}  // namespace

FrmTension::FrmTension(const MaterialTable& table, ForceUnit forceUnit, std::optional<double> entered,
                       const std::optional<TensionOrigin>& start, QWidget* parent)
    : QDialog(parent), m_table(table), m_forceUnit(forceUnit), m_entered(entered)
{
    setObjectName(QStringLiteral("frmTension"));
    setWindowTitle(QStringLiteral("Tension from material"));
    QStringList names;
    for (const std::string& name : MaterialChoices(table)) {
        names << ToQString(name);
    }
    const WebTexts texts = start ? TextsOf(start->web, forceUnit) : WebTexts{};
    auto* form = new QFormLayout;
    m_cboMaterial = AddChoice(*form, "cboMaterial", QStringLiteral("Material"), names);
    m_cboMaterial->setCurrentText(ToQString(texts.material));
    m_txtWidth = AddField(*form, "txtWidth", Captioned("Width", Quantity::Length, forceUnit), texts.width);
    m_txtThickness = AddField(*form, "txtThickness", QStringLiteral("Thickness [µm]"), texts.thickness);
    m_txtGrammage = AddField(*form, "txtGrammage", QStringLiteral("Basis weight [g/m²]"), texts.grammage);
    m_txtLayers = AddField(*form, "txtLayers", QStringLiteral("Layers (PET:12,PE:50)"), texts.layers);
    m_cboPick = AddChoice(*form, "cboPick", QStringLiteral("Value to use"),
                          {QStringLiteral("low"), QStringLiteral("typical"), QStringLiteral("high")});
    m_cboPick->setCurrentIndex(static_cast<int>(start ? start->pick : TensionPick::Typical));
    m_lblAdvice = AddResultAndButtons(*this, form, "lblAdvice");
    connect(&Button(*this, "cmdShow"), &QPushButton::clicked, this, &FrmTension::cmdShow_Click);
    connect(&Button(*this, "cmdUse"), &QPushButton::clicked, this, &FrmTension::cmdUse_Click);
    connect(&Button(*this, "cmdCancel"), &QPushButton::clicked, this, &QDialog::reject);
}

Expected<TensionAdvice> FrmTension::Advise() const
{
    const WebTexts texts{m_cboMaterial->currentText().toStdString(), Text(m_txtWidth), Text(m_txtThickness),
                         Text(m_txtGrammage), Text(m_txtLayers)};
    const Expected<WebDescription> web = ReadWebDescription(texts, m_forceUnit);
    if (!web) {
        return web.Error();
    }
    return AdviseTension(m_table, *web, m_entered, m_forceUnit);
}

void FrmTension::cmdShow_Click()
{
    const Expected<TensionAdvice> advice = Advise();
    m_lblAdvice->setText(ToQString(advice ? TensionAdviceText(*advice, m_forceUnit) : advice.Error().reason));
}

void FrmTension::cmdUse_Click()
{
    const Expected<TensionAdvice> advice = Advise();
    if (!advice) {
        m_lblAdvice->setText(ToQString(advice.Error().reason));
        return;
    }
    const auto pick = static_cast<TensionPick>(m_cboPick->currentIndex());
    m_choice = TensionChoice{TensionFieldText(*advice, pick), {advice->web, pick}};
    accept();
}

FrmRoller::FrmRoller(ForceUnit forceUnit, std::optional<double> lineSpeed, const std::optional<RollerDrawing>& start,
                     QWidget* parent)
    : QDialog(parent), m_forceUnit(forceUnit), m_lineSpeed(lineSpeed)
{
    setObjectName(QStringLiteral("frmRoller"));
    setWindowTitle(QStringLiteral("Roller from drawing"));
    using enum Quantity;
    const RollerTexts texts = start ? TextsOf(*start, forceUnit) : RollerTexts{};
    auto* form = new QFormLayout;
    m_txtOd = AddField(*form, "txtTubeOd", Captioned("Tube outer diameter", Length, forceUnit), texts.tubeOd);
    m_txtId = AddField(*form, "txtTubeId", Captioned("Tube inner diameter", Length, forceUnit), texts.tubeId);
    m_txtFace = AddField(*form, "txtFace", Captioned("Face length", Length, forceUnit), texts.face);
    QStringList materials;
    for (const char* material : kRollerMaterials) {
        materials << QString::fromLatin1(material);
    }
    m_cboMaterial = AddChoice(*form, "cboRollerMaterial", QStringLiteral("Material"), materials);
    m_cboMaterial->setCurrentText(texts.material.empty() && start ? QStringLiteral("other")
                                                                  : ToQString(texts.material));
    m_txtDensity = AddField(*form, "txtDensity", QStringLiteral("Density [kg/m³] (other)"), texts.density);
    m_txtModulus = AddField(*form, "txtModulus", QStringLiteral("Modulus [GPa] (other)"), texts.modulus);
    m_txtJournals = AddField(*form, "txtJournals", Captioned("Journals", Mass, forceUnit), texts.journals);
    m_txtLoad = AddField(*form, "txtLoad", Captioned("Load on the face", Mass, forceUnit));
    m_lblLimits = AddResultAndButtons(*this, form, "lblLimits");
    connect(&Button(*this, "cmdShow"), &QPushButton::clicked, this, &FrmRoller::cmdShow_Click);
    connect(&Button(*this, "cmdUse"), &QPushButton::clicked, this, &FrmRoller::cmdUse_Click);
    connect(&Button(*this, "cmdCancel"), &QPushButton::clicked, this, &QDialog::reject);
}

Expected<RollerDrawing> FrmRoller::Drawing() const
{
    const bool other = m_cboMaterial->currentText() == QLatin1String("other");
    return ReadRollerDrawing({Text(m_txtOd), Text(m_txtId), Text(m_txtFace),
                              other ? std::string() : m_cboMaterial->currentText().toStdString(),
                              other ? Text(m_txtDensity) : std::string(), other ? Text(m_txtModulus) : std::string(),
                              Text(m_txtJournals)},
                             m_forceUnit);
}

void FrmRoller::cmdShow_Click()
{
    const Expected<RollerDrawing> drawing = Drawing();
    std::optional<double> load;
    if (drawing && !Text(m_txtLoad).empty()) {
        const Expected<double> read = ReadMeasureIn("load", Text(m_txtLoad), Quantity::Mass, m_forceUnit, true);
        if (!read) {
            m_lblLimits->setText(ToQString(read.Error().reason));
            return;
        }
        load = *read;
    }
    const Expected<RollerLimits> limits =
        drawing ? ComputeRollerLimits(*drawing, load, m_lineSpeed) : Expected<RollerLimits>(drawing.Error());
    m_lblLimits->setText(ToQString(limits ? RollerLimitsText(*limits, m_forceUnit) : limits.Error().reason));
}

void FrmRoller::cmdUse_Click()
{
    const Expected<RollerDrawing> drawing = Drawing();
    if (!drawing) {
        m_lblLimits->setText(ToQString(drawing.Error().reason));
        return;
    }
    m_choice = RollerChoice{RollerFields(*drawing, m_forceUnit), *drawing};
    accept();
}

}  // namespace vyra::ui
