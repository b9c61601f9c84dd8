#include "core/register/carbon.h"

#include <map>

#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/text_compare.h"

namespace mk {
namespace {

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

template <typename List>
auto* FindSpecies(List& species, std::string_view name) {
    for (auto& s : species) {
        if (TextEquals(s.name, name)) return &s;
        for (const std::string& alias : s.aliases) {
            if (TextEquals(alias, name)) return &s;
        }
    }
    return static_cast<decltype(&species.front())>(nullptr);
}

}  // namespace

CarbonTable CarbonTable::Defaults() {
    // Japan's national greenhouse gas inventory: basic wood density, the
    // biomass expansion factors of stands up to 20 years and above, the
    // root-to-shoot ratio, and the carbon fraction of dry matter.
    CarbonTable table;
    table.species_ = {
        {"スギ", {"杉", "sugi", "cryptomeria"}, {0.314, 1.57, 1.23, 20, 0.25, 0.51}},
        {"ヒノキ", {"桧", "檜", "hinoki", "chamaecyparis"}, {0.407, 1.55, 1.24, 20, 0.26, 0.51}},
    };
    return table;
}

const CarbonFactors* CarbonTable::Find(std::string_view species) const {
    const SpeciesCarbon* found = FindSpecies(species_, Trim(species));
    return found ? &found->factors : nullptr;
}

bool CarbonTable::ApplyIni(std::string_view text, std::string& error) {
    std::vector<SpeciesCarbon> species = species_;
    SpeciesCarbon* current = nullptr;
    // Keys given per section, to check that a new species is complete.
    std::map<std::string, std::map<std::string, int>> given;
    std::vector<std::pair<std::string, int>> added;  // new species and their line
    int lineNumber = 0;
    std::size_t start = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        const std::string where = IntText(lineNumber) + "行目: ";
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) {
                error = where + "節の見出しが閉じていません";
                return false;
            }
            const std::string name(Trim(line.substr(1, line.size() - 2)));
            current = FindSpecies(species, name);
            if (!current) {
                species.push_back(SpeciesCarbon{name, {}, CarbonFactors{}});
                current = &species.back();
                added.emplace_back(name, lineNumber);
            }
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            error = where + "「キー = 値」の形ではありません";
            return false;
        }
        if (!current) {
            error = where + "樹種の節（[スギ] など）の前に値があります";
            return false;
        }
        const std::string key(Trim(line.substr(0, eq)));
        const std::string_view valueText = Trim(line.substr(eq + 1));
        const std::optional<double> value = ParseReal(valueText);
        if (!value || !(*value >= 0)) {
            error = where + key + " の値が 0 以上の数ではありません";
            return false;
        }
        CarbonFactors& f = current->factors;
        if (key == "WoodDensity") {
            f.WoodDensity = *value;
        } else if (key == "BefYoung") {
            f.BefYoung = *value;
        } else if (key == "BefOld") {
            f.BefOld = *value;
        } else if (key == "YoungUpToAge") {
            const std::optional<int> age = ParseWhole(valueText);
            if (!age) {
                error = where + "YoungUpToAge は整数です";
                return false;
            }
            f.YoungUpToAge = *age;
        } else if (key == "RootShootRatio") {
            f.RootShootRatio = *value;
        } else if (key == "CarbonFraction") {
            f.CarbonFraction = *value;
        } else {
            error = where + "知らないキーです: " + key;
            return false;
        }
        given[current->name][key] = lineNumber;
    }
    for (const auto& [name, line] : added) {
        for (const char* key : {"WoodDensity", "BefYoung", "BefOld", "RootShootRatio"}) {
            if (!given[name].count(key)) {
                error = IntText(line) + "行目: 新しい樹種 " + name + " に " + key + " がありません";
                return false;
            }
        }
    }
    species_ = std::move(species);
    return true;
}

double CarbonPerHa(const CarbonFactors& f, double volumePerHa, int age) {
    const double bef = age <= f.YoungUpToAge ? f.BefYoung : f.BefOld;
    return volumePerHa * f.WoodDensity * bef * (1.0 + f.RootShootRatio) * f.CarbonFraction;
}

double Co2Tonnes(double carbonPerHa, double areaHa) { return carbonPerHa * areaHa * 44.0 / 12.0; }

}  // namespace mk
