#pragma once

#include <string>

class QWidget;

namespace vyra::test {

// A screen as text, for the golden files: its caption and size, then one
// line per control in creation order, children indented under their frame:
// kind, object name, box in pixels, the text it shows, its font, and the
// states that are not the usual ones (disabled, checked, struck through, a
// text colour other than black, framed rows of a result table).
std::string WidgetTree(const QWidget& screen);

}  // namespace vyra::test
