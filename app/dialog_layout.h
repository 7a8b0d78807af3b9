#pragma once

#include "app/dialog_template.h"
#include "platform/dialog_units.h"

#include <cstddef>
#include <vector>

class QWidget;

// Lays a template out on pDialog: creates the widgets of its nCount rows in row order, in the
// dialog's font, and places them through the dialog units of that font, the horizontal unit
// widened until every caption (label, button, group box title) fits its control, so that the
// form grows where a font is wider and never cuts a caption. Fixes the dialog at cx x cy units.
// Returns the units used; pWidgets receives the widgets in row order.
CDialogUnits DlgLayOut(QWidget* pDialog, const DlgItem* pItems, std::size_t nCount, int cx, int cy,
                       std::vector<QWidget*>* pWidgets);
