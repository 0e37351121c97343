#pragma once

#include <QGroupBox>

namespace vyra::ui {

// A frame round a group of options with its caption set into the top border,
// which runs at half the caption's height: the options placed inside at
// their twip positions stand clear of the border, whatever the style would
// reserve for a group box's title.
class CaptionFrame : public QGroupBox {
public:
    CaptionFrame(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vyra::ui
