#include "core/register/register_columns.h"

#include <utility>

#include "core/text/text_compare.h"

namespace mk {
namespace {

struct ColumnNames {
    RegisterColumn column;
    const char* shown;  // the name used in messages
    std::vector<const char*> names;
};

const std::vector<ColumnNames>& Columns() {
    static const std::vector<ColumnNames> columns = {
        {RegisterColumn::Id, "区画ID", {"区画id", "区画", "id", "林小班", "小班", "compartment"}},
        {RegisterColumn::Area, "面積", {"面積", "area", "area_ha"}},
        {RegisterColumn::Prm, "PRM", {"prm", "prmファイル", "密度管理図", "prm_file"}},
        {RegisterColumn::Par, "PAR", {"par", "parファイル", "地位曲線", "par_file"}},
        {RegisterColumn::Site, "地位", {"地位", "地位級", "site", "site_class"}},
        {RegisterColumn::Height,
         "上層樹高",
         {"上層樹高", "上層高", "樹高", "height", "dominant_height", "height_m"}},
        {RegisterColumn::Age, "林齢", {"林齢", "age"}},
        {RegisterColumn::Stems,
         "立木本数",
         {"立木本数", "本数", "stems", "stems_per_ha", "stem_number"}},
        {RegisterColumn::RunFile, "施業", {"施業", "実行ファイル", "run", "run_file"}},
        {RegisterColumn::Species, "樹種", {"樹種", "species"}},
    };
    return columns;
}

// Blanks and a trailing unit in brackets are not part of the name.
std::string BareName(std::string_view header) {
    std::string folded = FoldText(header);
    for (std::string_view open : {"(", "（", "[", "［"}) {
        const std::size_t at = folded.find(open);
        if (at != std::string::npos) folded.erase(at);
    }
    std::string bare;
    std::size_t i = 0;
    while (i < folded.size()) {
        if (folded[i] == ' ' || folded[i] == '\t') {
            ++i;
        } else if (folded.compare(i, 3, "　") == 0) {
            i += 3;
        } else {
            bare += folded[i++];
        }
    }
    return bare;
}

}  // namespace

std::optional<RegisterColumn> ColumnOfHeader(std::string_view header) {
    const std::string bare = BareName(header);
    if (bare.empty()) return std::nullopt;
    for (const ColumnNames& c : Columns()) {
        for (const char* name : c.names) {
            if (bare == FoldText(name)) return c.column;
        }
    }
    return std::nullopt;
}

std::optional<RegisterHeader> MapRegisterHeader(const std::vector<std::string>& names,
                                                std::string& error) {
    RegisterHeader header;
    header.index.fill(-1);
    header.fieldCount = static_cast<int>(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::optional<RegisterColumn> column = ColumnOfHeader(names[i]);
        if (!column) continue;
        int& slot = header.index[static_cast<std::size_t>(*column)];
        if (slot >= 0) {
            error = "列「" + names[i] + "」が「" + names[static_cast<std::size_t>(slot)] +
                    "」と同じ項目です。";
            return std::nullopt;
        }
        slot = static_cast<int>(i);
    }
    std::string missing;
    for (const ColumnNames& c : Columns()) {
        const bool required = c.column == RegisterColumn::Id || c.column == RegisterColumn::Area ||
                              c.column == RegisterColumn::Prm || c.column == RegisterColumn::Par ||
                              c.column == RegisterColumn::Age;
        if (required && !header.Has(c.column))
            missing += std::string(missing.empty() ? "" : "、") + c.shown;
    }
    if (!header.Has(RegisterColumn::Site) && !header.Has(RegisterColumn::Height)) {
        missing += std::string(missing.empty() ? "" : "、") + "地位または上層樹高";
    }
    if (!missing.empty()) {
        error = "見出し行に必要な列がありません：" + missing;
        return std::nullopt;
    }
    return header;
}

}  // namespace mk
