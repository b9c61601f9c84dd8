#pragma once
// The site class of a stand whose class is not known: the measured stand is
// placed among the survey plots the height curve was fitted to, and the
// curve through it gives its site class and its own curve scale.

#include <QCheckBox>
#include <QDialog>

#include "app/app_context.h"
#include "app/widgets/scroll_row.h"
#include "render/image_canvas.h"

namespace mk::app {

struct SiteCalculationResult {
    int code = 0;  // 4 when a site class was found and accepted
    double scale = 0;
    std::string siteText;  // e.g. "中・推定"
    int age = 0;
    double height = 0;
};

class PlotPicture;

class Dialog_Com3_01Ext : public QDialog {
    Q_OBJECT
public:
    Dialog_Com3_01Ext(AppContext& context, SiteCalculationResult& result,
                      QWidget* parent = nullptr);

    void HScroll1_Change();
    void HScroll2_Change();
    void Command_Calc_Click();
    void OKButton_Click();
    void CancelButton_Click();

    const ImageCanvas& plot() const { return plot_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    bool DrawSurveyPlot();
    int PlotY(double height) const;
    // Puts the height bar at a height of the middle curve.
    void SetLinkedHeight(double height);

    AppContext& context_;
    SiteCalculationResult& result_;
    ImageCanvas plot_;
    PlotPicture* picture1_;
    ScrollRow* age_;
    ScrollRow* height_;
    QCheckBox* check1_;
    QPushButton* calc_;
    QLabel* label3_;
    QPushButton* ok_;
    bool activated_ = false;
    int minAge_ = 999, maxAge_ = 0;
    double minHeight_ = 999.0, maxHeight_ = 0;
    SiteCalculationResult found_;
};

}  // namespace mk::app
