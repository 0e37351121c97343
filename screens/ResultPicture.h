#pragma once

#include "Catalogue.h"
#include "Placement.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <span>
#include <string>

class QCloseEvent;
class QLabel;

namespace vyra::ui {

// A black rule of a result table, from (x1, y1) to (x2, y2) in twips.
struct Rule {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// A fixed text of a result table: heading, unit heading or tolerance note.
struct TableText {
    const char* name;  // object name; nullptr for a text no one addresses
    const char* text;  // UTF-8
    TwipBox box;
    Qt::Alignment alignment;
    double points;  // 0 keeps the screen's own font
};

// Picture1 of a result screen: the white table area that holds all its
// labels. The rules and the light-red frames of the rows that pass every
// check are painted on each repaint, so a window that was covered or
// minimised shows them again.
class ResultPicture : public QWidget {
public:
    // rules must outlive the picture (the screens hand in static tables).
    ResultPicture(std::span<const Rule> rules, QWidget& screen);

    using Column = std::array<QLabel*, kModelCount>;

    QLabel& AddLabel(const TableText& text);
    // The value labels of a column, one a row: right-aligned, Courier New
    // 9.75 point, named name(0) to name(8).
    Column AddValueColumn(const char* name, double left, double width);
    // lblName of every row: model number and name, left-aligned.
    Column AddNameColumn();

    // Which rows are framed, by modelIndex; replaces the frames shown before.
    void SetFramedRows(const std::array<bool, kModelCount>& framed);
    const std::array<bool, kModelCount>& FramedRows() const { return m_framed; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::span<const Rule> m_rules;
    std::array<bool, kModelCount> m_framed{};
};

// What the buttons of a result screen and its window's close command ask of
// the pair of screens.
struct ResultCommands {
    std::function<void(QWidget& owner)> print;
    std::function<void()> close;
    std::function<void()> charts;
    // Export Report as PDF… of the input screen's menu.
    std::function<void()> exportPdf;
};

// What both result screens share: caption, the client area of 9360 x 6390
// twips in Courier New 9 point, Picture1, "Print" and "Return", and "Charts"
// in the free place left of "Print". Closing the window counts as "Return",
// and so does Escape; Ctrl+P is "Print" and Ctrl+E exports the report.
class ResultScreen : public QWidget {
public:
    ResultScreen(const QString& caption, std::span<const Rule> rules, ResultCommands commands);

    ResultPicture& Picture1() const { return *m_picture; }

    // Cuts the screen off its pair before it goes, so that closing it after
    // that asks nothing of a pair that may be gone.
    void Detach() { m_commands = {}; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ResultCommands m_commands;
    ResultPicture* m_picture;
};

// A figure as its column shows it: the formatted text, and the value and
// decimals of the exponent form it takes when the text cannot fit.
struct ShownFigure {
    std::string text;
    double value = 0;
    int decimals = 0;
    bool failed = false;  // struck through
};

// Shows a column's figures in one size, so that none reads as set apart:
// the labels' own size when every figure fits its label, else the size at
// which the widest fits, never below 8 pixels. A clipped figure would lose
// its leading digits and read as another number, so one that does not fit
// even at 8 pixels is shown in the exponent form that does.
void ShowValueColumn(const ResultPicture::Column& labels, std::span<const ShownFigure> figures);

// The models' numbers and names in lblName, in one size likewise.
void ShowModelNames(const ResultPicture::Column& labels, std::span<const std::string> names);

// The object name of an item of a control array: "lblP1(3)".
QString ItemName(const char* name, int item);

}  // namespace vyra::ui
