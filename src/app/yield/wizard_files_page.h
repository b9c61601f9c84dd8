#pragma once
// Page 1 of the yield prediction wizard: the PRM and PAR files and the site
// class, which may be calculated from a measured stand.

#include "app/yield/parameter_files_page.h"

namespace mk::app {

class Dialog_Com3_01 : public ParameterFilesPage {
    Q_OBJECT
public:
    Dialog_Com3_01(AppContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::app
