#pragma once
// Real widgets for the controls a panel does not paint: command buttons,
// check boxes, text boxes and the rich-text box.
#include <QString>

#include "platform/forms.h"

class QWidget;

namespace vb::host {

// The name Qt knows the control's widget by: "cmdPlay", or "imgMuro(7)" for
// an element of a control array.
QString WidgetName(const Control& control);

// nullptr for kinds that have no widget of their own (painted children,
// frames, timers, forms).
QWidget* CreateControlWidget(Control& control, QWidget* parent);

// Shows the model's Caption, Text or Value in the widget; other properties
// are the window's business.
void ShowProperty(QWidget* widget, const Control& control, PropId id);

// Gives a button or check box its font: the control's own, or its panel's,
// made smaller where the caption would not fit the widget as it is now.
void FitCaption(QWidget* widget, const Control& control);

} // namespace vb::host
