#include "ResultPicture.h"

#include "Canvas.h"
#include "PainterCanvas.h"
#include "Placement.h"
#include "ResultFormat.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vyra::ui {

namespace {

// Row i of a table lies kRowPitch x i below row 0; all in twips.
constexpr double kRowPitch = 480;
constexpr double kValueTop = 1200;
constexpr double kValueHeight = 255;
constexpr double kValuePoints = 9.75;
constexpr double kNameLeft = 120;
constexpr double kNameWidth = 975;
constexpr double kNamePoints = 9;
// A frame runs round the whole row, from just inside the left edge to past
// the last column.
constexpr double kFrameLeft = 20;
constexpr double kFrameRight = 9300;
constexpr double kFrameTop = 1100;
constexpr double kFrameBottom = 1500;
constexpr int kLightRed = 12;
constexpr int kBlack = 0;

constexpr TwipBox kPicture1{0, 0, 9345, 5940};
constexpr double kClientWidth = 9360;
constexpr double kClientHeight = 6390;
constexpr TwipBox kCmdPrint{5760, 6000, 1455, 375};
constexpr TwipBox kCmdReturn{7560, 6000, 1455, 375};
// As far left of "Print" as "Return" is right of it.
constexpr TwipBox kCmdCharts{3960, 6000, 1455, 375};

TwipBox RowBox(double left, double width, int row) { return {left, kValueTop + kRowPitch * row, width, kValueHeight}; }

QPushButton& AddButton(QWidget& screen, const char* name, const QString& caption, const TwipBox& box)
{
    auto* button = new QPushButton(caption, &screen);
    button->setObjectName(QString::fromLatin1(name));
    Place(*button, box);
    return *button;
}

}  // namespace

ResultPicture::ResultPicture(std::span<const Rule> rules, QWidget& screen) : QWidget(&screen), m_rules(rules)
{
    setObjectName(QStringLiteral("Picture1"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    Place(*this, kPicture1);
}

QLabel& ResultPicture::AddLabel(const TableText& text)
{
    auto* label = new QLabel(QString::fromUtf8(text.text), this);
    if (text.name != nullptr) {
        label->setObjectName(QString::fromLatin1(text.name));
    }
    label->setAlignment(text.alignment | Qt::AlignVCenter);
    if (text.points > 0) {
        QFont font = label->font();
        font.setPointSizeF(text.points);
        label->setFont(font);
    }
    Place(*label, text.box);
    return *label;
}

ResultPicture::Column ResultPicture::AddValueColumn(const char* name, double left, double width)
{
    Column column{};
    for (int i = 0; i < kModelCount; ++i) {
        const QByteArray itemName = ItemName(name, i).toLatin1();
        column[static_cast<std::size_t>(i)] =
            &AddLabel({itemName.constData(), "", RowBox(left, width, i), Qt::AlignRight, kValuePoints});
    }
    return column;
}

ResultPicture::Column ResultPicture::AddNameColumn()
{
    Column column{};
    for (int i = 0; i < kModelCount; ++i) {
        const QByteArray itemName = ItemName("lblName", i).toLatin1();
        column[static_cast<std::size_t>(i)] =
            &AddLabel({itemName.constData(), "", RowBox(kNameLeft, kNameWidth, i), Qt::AlignLeft, kNamePoints});
    }
    return column;
}

void ResultPicture::SetFramedRows(const std::array<bool, kModelCount>& framed)
{
    m_framed = framed;
    update();
}

void ResultPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    gfx::PainterCanvas canvas(painter);
    for (const Rule& rule : m_rules) {
        canvas.Line(rule.x1, rule.y1, rule.x2, rule.y2, gfx::PaletteColor(kBlack));
    }
    for (int i = 0; i < kModelCount; ++i) {
        if (m_framed[static_cast<std::size_t>(i)]) {
            canvas.Box(kFrameLeft, kFrameTop + kRowPitch * i, kFrameRight, kFrameBottom + kRowPitch * i,
                       gfx::PaletteColor(kLightRed));
        }
    }
}

ResultScreen::ResultScreen(const QString& caption, std::span<const Rule> rules, ResultCommands commands)
    : m_commands(std::move(commands))
{
    setWindowTitle(caption);
    setFont(CourierNew(9));
    setFixedSize(TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight, *this));
    m_picture = new ResultPicture(rules, *this);
    QPushButton* cmdPrint = &AddButton(*this, "cmdPrint", QStringLiteral("Print"), kCmdPrint);
    QPushButton* cmdReturn = &AddButton(*this, "cmdReturn", QStringLiteral("Return"), kCmdReturn);
    QPushButton* cmdCharts = &AddButton(*this, "cmdCharts", QStringLiteral("Charts"), kCmdCharts);
    // Tab order as the buttons stand: "Charts", "Print", "Return".
    setTabOrder(cmdCharts, cmdPrint);
    // Copies of the commands: "Return" detaches this screen while it runs.
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        const auto print = m_commands.print;
        if (print) {
            print(*this);
        }
    });
    connect(cmdCharts, &QPushButton::clicked, this, [this] {
        const auto charts = m_commands.charts;
        if (charts) {
            charts();
        }
    });
    connect(cmdReturn, &QPushButton::clicked, this, [this] {
        const auto close = m_commands.close;
        if (close) {
            close();
        }
    });
    AddKey(*this, QKeySequence::Print, [cmdPrint] { cmdPrint->click(); });
    AddKey(*this, QKeySequence(Qt::Key_Escape), [cmdReturn] { cmdReturn->click(); });
    AddKey(*this, QKeySequence(Qt::CTRL | Qt::Key_E), [this] {
        const auto exportPdf = m_commands.exportPdf;
        if (exportPdf) {
            exportPdf();
        }
    });
    PressButtonsOnReturn(*this);
}

void ResultScreen::closeEvent(QCloseEvent* event)
{
    const auto close = m_commands.close;
    if (close) {
        close();
    }
    event->accept();
}

namespace {

// Text smaller than this cannot be read on a screen at its usual scale.
constexpr double kSmallestPixels = 8;

double SmallestPoints(const QLabel& label) { return kSmallestPixels * 72.0 / label.logicalDpiY(); }

// The size, not above points and not below smallest, at which the text fits
// the room in the font.
double PointsToFit(QFont font, const QString& text, double room, double points, double smallest)
{
    font.setPointSizeF(points);
    const double natural = QFontMetricsF(font).horizontalAdvance(text);
    if (natural <= room) {
        return points;
    }
    double fitted = points * room / natural;
    font.setPointSizeF(fitted);
    while (fitted > smallest && QFontMetricsF(font).horizontalAdvance(text) > room) {
        fitted *= 0.98;
        font.setPointSizeF(fitted);
    }
    return std::max(fitted, smallest);
}

double Room(const QLabel& label) { return label.contentsRect().width(); }

void Show(QLabel& label, const QString& text, double points, bool struckThrough)
{
    QFont font = label.font();
    font.setStrikeOut(struckThrough);
    font.setPointSizeF(points);
    label.setFont(font);
    label.setText(text);
}

// The one size of a column: its widest text's, from the labels' own size.
double ColumnPoints(const ResultPicture::Column& labels, std::span<const QString> texts, double points)
{
    const double smallest = SmallestPoints(*labels[0]);
    double fitted = points;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        fitted = std::min(fitted, PointsToFit(labels[i]->font(), texts[i], Room(*labels[i]), points, smallest));
    }
    return fitted;
}

}  // namespace

void ShowValueColumn(const ResultPicture::Column& labels, std::span<const ShownFigure> figures)
{
    std::array<QString, kModelCount> texts;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        texts[i] = QString::fromStdString(figures[i].text);
    }
    const double points = ColumnPoints(labels, texts, kValuePoints);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        QFont font = labels[i]->font();
        font.setPointSizeF(points);
        const QFontMetricsF metrics(font);
        if (metrics.horizontalAdvance(texts[i]) > Room(*labels[i])) {
            const auto digits =
                static_cast<std::size_t>(std::max(1.0, std::floor(Room(*labels[i]) / metrics.horizontalAdvance('0'))));
            texts[i] = QString::fromStdString(FormatPatternWithin(figures[i].value, figures[i].decimals, digits));
        }
        Show(*labels[i], texts[i], points, figures[i].failed);
    }
}

void ShowModelNames(const ResultPicture::Column& labels, std::span<const std::string> names)
{
    std::array<QString, kModelCount> texts;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        texts[i] = QString::fromStdString(names[i]);
    }
    const double points = ColumnPoints(labels, texts, kNamePoints);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        Show(*labels[i], texts[i], points, false);
    }
}

QString ItemName(const char* name, int item) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(item); }

}  // namespace vyra::ui
