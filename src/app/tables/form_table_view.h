#pragma once
// A table file reopened: its title lines and its rows in a grid, columns
// named and aligned as the table heading gives them, from which the rows can
// be copied (tab-separated, for a spreadsheet) and the table saved again as
// CSV or PDF or printed. The window holds its own copy of the table, so
// several can be open beside the result windows.

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include "app/app_context.h"
#include "core/yield/result_table.h"

namespace mk::app {

class Form_TableView : public QWidget {
    Q_OBJECT
public:
    Form_TableView(AppContext& context, ResultTable table, QWidget* parent = nullptr);

    void Command_Copy_Click();
    void Command_CsvSave_Click();
    void Command_PdfOut_Click();
    void Command_Print_Click();
    void OKButton_Click();

    // The text the copy puts on the clipboard: the selected cells, or the
    // whole table when nothing is selected.
    QString CopyText() const;
    const ResultTable& table() const { return table_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void FillGrid();

    AppContext& context_;
    ResultTable table_;
    QLabel* heading_;
    QTableWidget* grid_;
};

// Asks for a table file ("表を開く"), reads it, and opens it in a table
// window; a file that is not a table is refused with the line that did not
// read. The window is returned (nullptr when none was opened).
Form_TableView* OpenTableFile(AppContext& context, QWidget* owner);

}  // namespace mk::app
