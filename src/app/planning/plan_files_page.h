#pragma once
// Planning page 3: the PRM and PAR files and the site class, as on the
// yield wizard's first page, but only files named for the chosen region
// are taken.

#include "app/yield/parameter_files_page.h"

namespace mk::app {

class Dialog_Com2_03 : public ParameterFilesPage {
    Q_OBJECT
public:
    Dialog_Com2_03(AppContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::app
