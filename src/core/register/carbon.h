#pragma once
// Carbon in the stem volume of a stand: volume x wood density x biomass
// expansion factor (young or old stand) x (1 + root-to-shoot ratio) x
// carbon fraction, in t-C per ha; x 44/12 for t-CO2. Sugi and hinoki come
// with the factors of the national greenhouse gas inventory; a small INI
// file may change them or add other species.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mk {

struct CarbonFactors {
    double WoodDensity = 0;  // t dry matter per m3
    double BefYoung = 0;     // biomass expansion factor up to YoungUpToAge
    double BefOld = 0;       // above it
    int YoungUpToAge = 20;   // years
    double RootShootRatio = 0;
    double CarbonFraction = 0.51;  // t-C per t dry matter
};

struct SpeciesCarbon {
    std::string name;                  // as shown: "スギ"
    std::vector<std::string> aliases;  // other names the register may use
    CarbonFactors factors;
};

class CarbonTable {
public:
    // スギ (sugi, 杉) and ヒノキ (hinoki, 桧, 檜).
    static CarbonTable Defaults();

    // The factors of a species by any of its names, ignoring case, width and
    // kana type; nullptr when the table has none.
    const CarbonFactors* Find(std::string_view species) const;

    // Applies an INI text: a [species] section per species, with the keys
    // WoodDensity, BefYoung, BefOld, YoungUpToAge, RootShootRatio and
    // CarbonFraction. A known species keeps the factors the section leaves
    // out; a new one needs WoodDensity, BefYoung, BefOld and RootShootRatio.
    // False, with the line and reason in error, for anything else; the
    // table is then unchanged.
    bool ApplyIni(std::string_view utf8Text, std::string& error);

    const std::vector<SpeciesCarbon>& Species() const { return species_; }

private:
    std::vector<SpeciesCarbon> species_;
};

// t-C per ha of a stand of the given stem volume per ha and age.
double CarbonPerHa(const CarbonFactors& f, double volumePerHa, int age);

// t-CO2 of the carbon per ha over an area in ha.
double Co2Tonnes(double carbonPerHa, double areaHa);

}  // namespace mk
