#include "app/planning/planning_wizard.h"

#include <memory>

#include "app/planning/plan_end_age_page.h"
#include "app/planning/plan_files_page.h"
#include "app/planning/plan_policy_page.h"
#include "app/planning/plan_region_page.h"
#include "app/planning/plan_stand_pages.h"
#include "app/planning/plan_state_page.h"
#include "app/services/recent_files.h"
#include "core/planning/plan_settings.h"
#include "core/yield/run_settings.h"

namespace mk::app {

namespace {

enum class Step { State, Region, Files, Current, Goal, Policy };

std::unique_ptr<WizardPage> MakePage(AppContext& context, Step step, QWidget* parent) {
    const PlanSettings& plan = context.ws.Plan;
    switch (step) {
        case Step::State:
            return std::make_unique<Dialog_Com2_01>(context, parent);
        case Step::Region:
            return std::make_unique<Dialog_Com2_02>(context, parent);
        case Step::Files:
            return std::make_unique<Dialog_Com2_03>(context, parent);
        case Step::Current:
            return std::make_unique<Dialog_Com2_04>(context, parent);
        case Step::Goal:
            if (plan.TargetDecided == 1) return std::make_unique<Dialog_Com2_05>(context, parent);
            return std::make_unique<Dialog_Com2_04_2>(context, parent);
        case Step::Policy:
            break;
    }
    return std::make_unique<Dialog_Com2_06>(context, parent);
}

// The page after this one; the current stand is asked only when it is known.
Step Next(Step step, const PlanSettings& plan) {
    switch (step) {
        case Step::State:
            return Step::Region;
        case Step::Region:
            return Step::Files;
        case Step::Files:
            return plan.StandStateKnown == 1 ? Step::Current : Step::Goal;
        case Step::Current:
            return Step::Goal;
        case Step::Goal:
        case Step::Policy:
            break;
    }
    return Step::Policy;
}

Step Previous(Step step, const PlanSettings& plan) {
    switch (step) {
        case Step::State:
        case Step::Region:
            return Step::State;
        case Step::Files:
            return Step::Region;
        case Step::Current:
            return Step::Files;
        case Step::Goal:
            return plan.StandStateKnown == 1 ? Step::Current : Step::Files;
        case Step::Policy:
            break;
    }
    return Step::Goal;
}

}  // namespace

QString PlanPageCaption(const PlanSettings& plan) {
    return QStringLiteral("収穫予測－パラメータ設定(%1/%2)")
        .arg(plan.PageNumber)
        .arg(plan.PageCount);
}

bool RunPlanningWizard(AppContext& context, QWidget* parent) {
    ClearRunSettings(context.ws.Run);
    ClearPlanSettings(context.ws.Plan);
    // The wizard starts with the files of its last successful use (the
    // files page leaves out those not named for the region chosen).
    SettingsStore& settings = *context.services.settings;
    context.ws.Run.PrmFileName =
        ReopenRecalledFile(settings, QStringLiteral("PlanPrm"), ReadsAsPrm);
    context.ws.Run.ParFileName =
        ReopenRecalledFile(settings, QStringLiteral("PlanPar"), ReadsAsPar);
    PlanSettings& plan = context.ws.Plan;
    Step step = Step::State;
    while (true) {
        context.flags.WizardResult = 0;
        {
            std::unique_ptr<WizardPage> page = MakePage(context, step, parent);
            context.services.dialogs->Run(*page);
        }
        const int result = context.flags.WizardResult;
        if (result == 1) {
            if (step == Step::Policy) {
                RememberFile(settings, QStringLiteral("PlanPrm"), context.ws.Run.PrmFileName);
                RememberFile(settings, QStringLiteral("PlanPar"), context.ws.Run.ParFileName);
                return true;
            }
            if (step == Step::State) {
                plan.PageCount = plan.StandStateKnown == 2 && plan.TargetDecided == 1 ? 5 : 6;
                plan.PageNumber = 2;
            } else {
                ++plan.PageNumber;
            }
            step = Next(step, plan);
            if (step == Step::Goal && plan.StandStateKnown != 1) {
                // A stand that is not known is planned from a planting.
                plan.StartAge = 1;
                plan.StartStemNumber = 10000;
            }
            continue;
        }
        if (result != 2) return false;
        if (step != Step::Region && step != Step::State) --plan.PageNumber;
        step = Previous(step, plan);
    }
}

}  // namespace mk::app
