#pragma once

#include "Case.h"
#include "InputReading.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vyra::ui {

class SketchArea;

// The size of the screen's own font and of its options, in points.
inline constexpr double kScreenPoints = 9;

// The customer block's fields, in the order of the case's report entries.
inline constexpr int kCustomerCount = kReportItemCount;

enum GroupItem { kOpType, kOpFulcrum, kOpMethod1, kOpMethod2, kOpMethod3, kGroupCount };

struct OptionGroup {
    QGroupBox* frame = nullptr;
    std::array<QRadioButton*, 2> options{};
    QButtonGroup* group = nullptr;

    // Item 0 or 1; one of the two is always selected after load.
    int Selected() const;
};

// The controls of the input screen, by the names its handlers use.
struct InputControls {
    std::array<QLineEdit*, kCustomerCount> customer{};
    std::array<OptionGroup, kGroupCount> groups{};
    std::array<QLabel*, kFieldCount> lblTitle{};
    std::array<QLineEdit*, kFieldCount> txtInput{};
    std::array<QLabel*, kFieldCount> lblTani{};
    SketchArea* Picture1 = nullptr;
    QPushButton* cmdImage = nullptr;
    QPushButton* cmdResult = nullptr;
    QPushButton* cmdExplanation = nullptr;
};

// Builds the customer block, the option frames, the entry rows, the sketch
// area and the commands on the client area from the screen's geometry
// tables, in that order. The unit labels follow forceUnit, but for the
// tension's, which is written once the unit is known.
void BuildInputControls(QWidget& client, ForceUnit forceUnit, InputControls& controls);

QString ToQString(std::string_view text);

}  // namespace vyra::ui
