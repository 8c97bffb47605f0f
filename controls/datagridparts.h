// The parts of the data-entry grid that Qt asks for by interface: the selection
// model that lets a cell become current only where the page allows it, and the
// delegate that makes the cell editor, paints through the page and answers the keys
// the grid itself handles.
#pragma once

class DataGrid;
class QItemSelectionModel;
class QStyledItemDelegate;

QItemSelectionModel* makeGatedSelectionModel(DataGrid* grid);
QStyledItemDelegate* makeDataGridDelegate(DataGrid* grid);
