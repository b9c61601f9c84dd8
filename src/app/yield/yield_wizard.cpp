#include "app/yield/yield_wizard.h"

#include <memory>

#include "app/services/recent_files.h"
#include "app/yield/wizard_bounds_page.h"
#include "app/yield/wizard_files_page.h"
#include "app/yield/wizard_method_page.h"
#include "app/yield/wizard_schedule_page.h"
#include "app/yield/wizard_stand_page.h"
#include "core/yield/run_settings.h"

namespace mk::app {

namespace {

std::unique_ptr<WizardPage> MakePage(AppContext& context, int step, QWidget* parent) {
    switch (step) {
        case 1:
            return std::make_unique<Dialog_Com3_01>(context, parent);
        case 2:
            return std::make_unique<Dialog_Com3_02>(context, parent);
        case 3:
            return std::make_unique<Dialog_Com3_03>(context, parent);
        default:
            break;
    }
    const int method = context.ws.Run.ThinningMethod;
    if (method >= 1 && method <= 3) return std::make_unique<Dialog_Com3_04_1>(context, parent);
    return std::make_unique<Dialog_Com3_04_2>(context, parent);
}

}  // namespace

bool RunYieldWizard(AppContext& context, QWidget* parent) {
    ClearRunSettings(context.ws.Run);
    // The wizard starts with the files of its last successful use.
    SettingsStore& settings = *context.services.settings;
    context.ws.Run.PrmFileName =
        ReopenRecalledFile(settings, QStringLiteral("YieldPrm"), ReadsAsPrm);
    context.ws.Run.ParFileName =
        ReopenRecalledFile(settings, QStringLiteral("YieldPar"), ReadsAsPar);
    int step = 1;
    while (true) {
        context.flags.WizardResult = 0;
        {
            std::unique_ptr<WizardPage> page = MakePage(context, step, parent);
            context.services.dialogs->Run(*page);
        }
        const int result = context.flags.WizardResult;
        if (result == 0) return false;
        if (result == 2) {
            // Page 1 has no way back; anything else steps back one page.
            if (step > 1) --step;
            continue;
        }
        if (result != 1) return false;
        if (step == 4) {
            RememberFile(settings, QStringLiteral("YieldPrm"), context.ws.Run.PrmFileName);
            RememberFile(settings, QStringLiteral("YieldPar"), context.ws.Run.ParFileName);
            return true;
        }
        ++step;
    }
}

}  // namespace mk::app
