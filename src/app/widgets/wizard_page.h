#pragma once
// The frame every wizard page shares: a description at the top, a rule,
// the page's own controls, and "< 戻る", "次へ >" (or "完了") and
// "ｷｬﾝｾﾙ" at the bottom right. A page reports how it closed in
// WizardResult: 1 next or finished, 2 back, 0 cancelled or closed.

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_context.h"

namespace mk::app {

class WizardPage : public QDialog {
    Q_OBJECT
public:
    WizardPage(AppContext& context, const QString& name, const QString& caption,
               const QString& descriptionName, QWidget* parent);

    void Command_Back_Click();
    void CancelButton_Click();
    virtual void OKButton_Click() = 0;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Called once, when the page is first shown.
    virtual void Form_Activate() {}
    // Called by "< 戻る" before the page closes: a page writes what is on it
    // into the run record (without checking it), so that it shows the same
    // values when the user comes forward again.
    virtual void KeepValuesForLater() {}
    // Closes the page with WizardResult 1.
    void Finish();
    // An error message titled with the page's caption.
    void ShowError(const std::string& text);
    Workspace& ws() { return context_.ws; }

    QVBoxLayout* body() const { return body_; }
    QLabel* description() const { return description_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* okButton() const { return ok_; }

    AppContext& context_;

private:
    void PutButtonsLastInTabOrder();

    QLabel* description_;
    QVBoxLayout* body_;
    QPushButton* back_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QHBoxLayout* buttons_;
    bool activated_ = false;
};

}  // namespace mk::app
