#pragma once
// Entry of one survey record: a new record to fill in, or a stored one to
// correct. The record travels in and out through the buffer.

#include <QDialog>
#include <array>

#include "app/app_context.h"

class QLabel;
class QLineEdit;

namespace mk::app {

class Dialog_1INPUTDATAOPE : public QDialog {
    Q_OBJECT
public:
    Dialog_1INPUTDATAOPE(AppContext& context, SurveyRecord& recordBuffer,
                         QWidget* parent = nullptr);
    ~Dialog_1INPUTDATAOPE() override;

    // True when the record was accepted with OK.
    bool accepted() const { return accepted_; }

    void Text_LostFocus(int box);  // 2..9
    void OKButton_Click();
    void CancelButton_Click();

private:
    void ShowField(int box);

    AppContext& context_;
    SurveyRecord& recordBuffer_;
    SurveyRecord working_;
    std::array<QLineEdit*, 10> text_{};  // Text1..Text9 at 1..9
    bool accepted_ = false;
};

}  // namespace mk::app
