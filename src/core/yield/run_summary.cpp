#include "core/yield/run_summary.h"

#include "core/model/site_class.h"
#include "core/text/number_format.h"
#include "core/text/paths.h"
#include "core/yield/current_stand.h"
#include "core/yield/table_report.h"

namespace mk {

namespace {
constexpr const char* kBreak = "\r\n";
}

std::string RunSummaryFiles(const RunSettings& run, const CurrentStandState& stand) {
    std::string text = "　使用ファイル：　" + FileNamePart(run.PrmFileName) + "； " +
                       FileNamePart(run.ParFileName) + "　" + kBreak;
    text += "　地位：　　　" + SiteClassName(run.SiteClass, stand.SiteText) + kBreak;
    text += "　間伐方式：　" + ThinningMethodName(run.ThinningMethod) + kBreak;
    text += kBreak;
    return text;
}

std::string RunSummaryCurrentStand(const CurrentStandState& s) {
    std::string text;
    text += "　現在の上層樹高：　" + FormatNumber(s.CurrentHeight, "0.0") + kBreak;
    text += "　現在の幹材積：　　" + FormatNumber(s.CurrentVolume, "0.0") + kBreak;
    text += "　現在の平均直径：　" + FormatNumber(s.CurrentDbh, "0.0") + kBreak;
    // Ry and the planting density as the starting-stand page showed them.
    text += "　現在の収量比数：　" + CurrentRyText(s.CurrentRy) + kBreak;
    // CurrentSlenderness is already H/D x 100 (80 for a slenderness of 80);
    // scaling it again would show 8000.
    text += "　現在の形状比：　　" + FormatNumber(s.CurrentSlenderness, "0.0") + kBreak;
    text += "　推定植栽本数：　　" + FormatNumber(s.CurrentPlantingDensity, "0") + kBreak;
    text += kBreak;
    return text;
}

std::string RunSummarySchedule(const RunSettings& run) {
    const int count = run.ThinningCount;
    std::string text = std::string(kBreak) + "間伐回数：　" + FormatNumber(count, " 0") + "回　　";
    if (count == 0) return text + kBreak + kBreak;
    text += "　【" + ThinningMethodName(run.ThinningMethod) + "】" + kBreak + kBreak;
    const char* keyPattern = run.ThinningMethod == 1 ? " 0" : " 0.0";
    for (int i = 1; i <= count && i < kThinningEntries; ++i) {
        text += "　　" + FormatNumber(i, " 0") + "回目間伐：" + "\t" +
                FormatNumber(run.ThinningKey[i], keyPattern) + "\t" +
                FormatNumber(run.ThinningRate[i], "0.00") + kBreak;
    }
    text += kBreak;
    return text;
}

std::string RunSummary(const RunSettings& run, const CurrentStandState& stand) {
    std::string text = RunSummaryFiles(run, stand);
    if (run.StemSettingMethod == 1) {
        text += "　植栽本数：　　　" + GeneralNumber(run.PlantingStemNumber) + kBreak;
        text += "　計算終了年：　　" + IntText(run.EndAge) + kBreak;
    } else {
        text += "　現在の林齢：　　" + IntText(run.CurrentAge) + kBreak;
        text += "　現在の立木本数：" + IntText(run.CurrentStemNumber) + kBreak;
        text += "　計算終了年：　　" + IntText(run.EndAge) + kBreak;
        text += kBreak;
        text += RunSummaryCurrentStand(stand);
    }
    switch (run.ThinningMethod) {
        case 4:
            text += "　収量比数：　　　" + FormatNumber(run.RyTarget, "0.00") + kBreak;
            text += "　間伐率：　　　　" + FormatNumber(run.BoundThinningRate, "0.00") + kBreak;
            break;
        case 5:
            text += "　収量比数の上限：" + FormatNumber(run.RyUpper, "0.00") + kBreak;
            text += "　収量比数の下限：" + FormatNumber(run.RyLower, "0.00") + kBreak;
            break;
        case 6:
            text += "　形状比の上限：　" + FormatNumber(run.SlendernessUpper * 100, "0") + kBreak;
            text += "　形状比の下限：　" + FormatNumber(run.SlendernessLower * 100, "0") + kBreak;
            break;
        default:
            text += RunSummarySchedule(run);
            break;
    }
    if (run.ThinningMethod >= 4 && run.ThinningMethod <= 6) {
        text += "　間伐開始年：　　" + IntText(run.ThinningFromAge + 1) + kBreak;
        text += "　間伐終了年：　　" + IntText(run.ThinningToAge - 1) + kBreak;
    }
    return text;
}

}  // namespace mk
