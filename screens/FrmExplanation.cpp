#include "FrmExplanation.h"

#include "FrmExSub.h"
#include "FrmInit.h"
#include "Placement.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringList>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextEdit>
#include <QTimer>

#include <array>
#include <utility>

namespace vyra::ui {

namespace {

// Client area of the screen, twips.
constexpr double kClientWidth = 5355;
constexpr double kClientHeight = 5280;
constexpr double kCaptionPoints = 11.25;

constexpr double kButtonLeft = 840;
constexpr double kButtonWidth = 3735;
constexpr double kButtonHeight = 495;

// The trailing blanks belong to the captions: see WrappingButton.
constexpr std::array<const char*, FrmExplanation::kDocumentCount> kExplainCaptions{
    "1.Outline                         ",
    "2.How to Use This Program            ",
    "3.Detailed Explanations of Each Screen",
    "4.Examples of Models                   ",
    "5.Detailed Tables of The  Tension Sensor       ",
};
constexpr std::array<double, FrmExplanation::kDocumentCount> kExplainTops{1080, 1680, 2280, 2880, 3480};

// The caption in lines no wider than width. Blanks count like any other
// character and a line keeps its trailing ones, so that they shift it when
// it is centred; one blank at a break is absorbed, and lines of blanks alone
// are dropped.
QStringList WrapCaption(const QString& caption, const QFontMetricsF& metrics, qreal width)
{
    static const QRegularExpression pieces(QStringLiteral("[^ ]+| "));
    QStringList lines{QString()};
    for (const QRegularExpressionMatch& match : pieces.globalMatch(caption)) {
        const QString piece = match.captured();
        const QString longer = lines.back() + piece;
        if (metrics.horizontalAdvance(longer) > width && !lines.back().isEmpty()) {
            lines.push_back(piece == QStringLiteral(" ") ? QString() : piece);
        } else {
            lines.back() = longer;
        }
    }
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    return lines;
}

// A button whose caption wraps onto further lines, each line centred with
// its blanks. The captions are longer than one line of their buttons; their
// trailing blanks fill out the first line so that it stands flush left.
class WrappingButton : public QPushButton {
public:
    WrappingButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) { }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);

        const QRectF area = QRectF(rect()).adjusted(kCaptionMargin, 0, -kCaptionMargin, 0);
        const QFontMetricsF metrics(font());
        const QStringList lines = WrapCaption(text(), metrics, area.width());
        qreal baseline = area.top() + (area.height() - metrics.height() * lines.size()) / 2 + metrics.ascent();
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        for (const QString& line : lines) {
            const qreal left = area.left() + (area.width() - metrics.horizontalAdvance(line)) / 2;
            painter.drawText(QPointF(left, baseline), line);
            baseline += metrics.height();
        }
    }

private:
    // Pixels between the button's edges and its caption.
    static constexpr qreal kCaptionMargin = 2;
};

template <class Button = QPushButton>
Button* AddButton(QWidget& screen, const QString& name, const char* caption, double left, double top)
{
    auto* button = new Button(QString::fromUtf8(caption), &screen);
    button->setObjectName(name);
    Place(*button, {left, top, kButtonWidth, kButtonHeight});
    return button;
}

}  // namespace

FrmExplanation::FrmExplanation(Toolkit& toolkit, const ExplanationFiles& files, QString& documentName,
                               std::function<void()> unload)
    : m_toolkit(toolkit), m_files(files), m_documentName(documentName), m_unload(std::move(unload))
{
    setObjectName(QStringLiteral("frmExplanation"));
    setWindowTitle(QStringLiteral("Selecting explanations"));
    setFont(CourierNew(kCaptionPoints));
    setFixedSize(TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight, *this));

    // Outside the client area and first in the tab order: it takes the focus
    // when the menu opens, so that Enter or Space then presses no document
    // button. It has no action.
    QPushButton* cmdClose = AddButton(*this, QStringLiteral("cmdClose"), "close", 5880, 6240);
    auto* label1 = new QLabel(QStringLiteral("      Select the buttons."), this);
    label1->setObjectName(QStringLiteral("Label1"));
    Place(*label1, {480, 480, 3735, 255});
    for (int item = 0; item < kDocumentCount; ++item) {
        const auto index = static_cast<std::size_t>(item);
        m_cmdExplain[index] = AddButton<WrappingButton>(*this, QStringLiteral("cmdExplain(%1)").arg(item),
                                                        kExplainCaptions[index], kButtonLeft, kExplainTops[index]);
        connect(m_cmdExplain[index], &QPushButton::clicked, this, [this, item] { ShowExplanation(item); });
    }
    m_cmdReturn = AddButton(*this, QStringLiteral("cmdReturn"), "Return", kButtonLeft, 4320);
    connect(m_cmdReturn, &QPushButton::clicked, this, [this] { close(); });

    setTabOrder(cmdClose, m_cmdExplain.front());
    for (std::size_t i = 1; i < m_cmdExplain.size(); ++i) {
        setTabOrder(m_cmdExplain[i - 1], m_cmdExplain[i]);
    }
    setTabOrder(m_cmdExplain.back(), m_cmdReturn);
    cmdClose->setFocus();
    PressButtonsOnReturn(*this);
    AddKey(*this, QKeySequence(Qt::Key_Escape), [this] { close(); });

    CentreOnDisplay(*this);
}

void FrmExplanation::ShowExplanation(int item)
{
    // Named by the item counted from 1, never by its caption; only the last
    // digit of that number counts.
    m_documentName = QStringLiteral("Explanation") + QString::number(item + 1).back() + QStringLiteral(".rtf");
    FrmExSub frmExSub(m_toolkit, m_files, m_documentName, this);
    m_toolkit.ShowModal(frmExSub);
}

void FrmExplanation::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_unload) {
        m_unload();
    }
}

ExplanationScreens::ExplanationScreens(Toolkit& toolkit, const ExplanationFiles& files)
    : m_toolkit(toolkit), m_files(files)
{
}

ExplanationScreens::~ExplanationScreens() = default;

void ExplanationScreens::ShowDocument(const QString& name, const QString& heading, QWidget& owner)
{
    FrmExSub viewer(m_toolkit, m_files, name, &owner);
    QTextEdit& view = viewer.RichTextBox1();
    view.find(heading);
    // Once the view is shown at its size: scrolled back from the end only as
    // far as the heading, it shows it on its first line, its section below.
    QTimer::singleShot(0, &view, [&view] {
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        view.ensureCursorVisible();
    });
    m_toolkit.ShowModal(viewer);
}

void ExplanationScreens::Show()
{
    if (!m_menu) {
        m_menu = std::make_unique<FrmExplanation>(m_toolkit, m_files, m_documentName, [this] { Unload(); });
    }
    BringToFront(*m_menu);
}

// The command comes from the menu's own button or close event, and the menu
// must not be destroyed under it: it goes from view at once and is destroyed
// once the event loop is back.
void ExplanationScreens::Unload()
{
    if (!m_menu) {
        return;
    }
    FrmExplanation* closing = m_menu.release();
    closing->Detach();
    closing->hide();
    closing->deleteLater();
}

}  // namespace vyra::ui
