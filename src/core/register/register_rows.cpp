#include "core/register/register_rows.h"

#include <algorithm>
#include <cmath>

#include "core/graphics/result_arrays.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/text_compare.h"

namespace mk {

std::string OneLine(std::string text) {
    // Built by appending: an in-place replace trips a false -Wrestrict in
    // GCC 12's release builds.
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += ' ';
            ++i;
        } else {
            line += text[i] == '\n' ? ' ' : text[i];
        }
    }
    return line;
}

std::string_view TrimBlanks(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

RegisterFiles::RegisterFiles(std::string folder, ThinningLoader loader,
                             std::vector<std::string>& notices)
    : folder_(std::move(folder)), loader_(std::move(loader)), notices_(notices) {}

RegisterFiles::~RegisterFiles() = default;

std::string RegisterFiles::Resolve(const std::string& path) const {
    return !path.empty() && path[0] == '/' ? path : folder_ + path;
}

template <typename T, typename Reader>
const RegisterFiles::Loaded<T>& RegisterFiles::Load(
    std::map<std::string, std::unique_ptr<Loaded<T>>>& cache, const std::string& name,
    Reader read) {
    auto& entry = cache[name];
    if (!entry) {
        entry = std::make_unique<Loaded<T>>();
        RecordingMessages messages;
        const std::string path = Resolve(name);
        if (!read(path, entry->record, messages)) {
            entry->error = messages.shown().empty() ? "ファイルが読めません: " + path
                                                    : OneLine(messages.shown().back().text);
        } else {
            // A file that reads with a warning (a short file) is used; the
            // warning is passed on once.
            for (const ShownMessage& m : messages.shown()) {
                notices_.push_back(path + ": [" + m.title + "] " + OneLine(m.text));
            }
        }
    }
    return *entry;
}

const ParameterSet* RegisterFiles::Parameters(const std::string& prm, const std::string& par,
                                              std::string& error) {
    const auto& d = Load(prms_, prm, [](const std::string& path, auto& record, auto& messages) {
        return ReadPrmFile(path, record, messages);
    });
    if (!d.error.empty()) return error = d.error, nullptr;
    const auto& c = Load(pars_, par, [](const std::string& path, auto& record, auto& messages) {
        return ReadParFile(path, record, messages);
    });
    if (!c.error.empty()) return error = c.error, nullptr;
    auto& set = sets_[{prm, par}];
    if (!set) {
        set = std::make_unique<ParameterSet>();
        set->name = prm + " + " + par;
        set->index = static_cast<int>(sets_.size()) - 1;
        set->diagram = d.record;
        set->curve = c.record;
    }
    return set.get();
}

const RunSettings* RegisterFiles::Thinning(const std::string& path, std::string& error) {
    auto& entry = runs_[path];
    if (!entry) {
        entry = std::make_unique<Loaded<RunSettings>>();
        if (!loader_(path, entry->record, entry->error) && entry->error.empty()) {
            entry->error = "施業ファイルが読めません: " + path;
        }
    }
    if (!entry->error.empty()) return error = entry->error, nullptr;
    return &entry->record;
}

std::vector<std::string> RegisterFiles::SetNames() const {
    std::vector<std::string> names(sets_.size());
    for (const auto& [key, set] : sets_) names[static_cast<std::size_t>(set->index)] = set->name;
    return names;
}

CompartmentInput RegisterRowReader::Read(const std::vector<std::string>& fields) {
    CompartmentInput c;
    c.id = std::string(Field(fields, RegisterColumn::Id));
    c.error = Fill(fields, c);
    return c;
}

std::string_view RegisterRowReader::Field(const std::vector<std::string>& fields,
                                          RegisterColumn column) const {
    const int i = header_[column];
    if (i < 0 || static_cast<std::size_t>(i) >= fields.size()) return {};
    return TrimBlanks(fields[static_cast<std::size_t>(i)]);
}

// A number typed in full-width digits reads as the same number.
std::string RegisterRowReader::Number(const std::vector<std::string>& fields,
                                      RegisterColumn column) const {
    const std::string_view text = Field(fields, column);
    for (unsigned char ch : text) {
        if (ch >= 0x80) return FoldText(text);
    }
    return std::string(text);
}

std::string RegisterRowReader::Fill(const std::vector<std::string>& fields, CompartmentInput& c) {
    const std::string area = Number(fields, RegisterColumn::Area);
    const std::optional<double> areaValue = ParseReal(area);
    if (!areaValue || !(*areaValue >= 0) || !std::isfinite(*areaValue)) {
        return "面積が読めません: " + area;
    }
    // Far beyond any compartment; an area that large would only overflow
    // the compartment's volume and the register's totals.
    if (*areaValue > kMaxCompartmentArea) {
        return "面積は 0 から " + IntText(static_cast<int>(kMaxCompartmentArea)) +
               " ha までです: " + area;
    }
    c.area = *areaValue;

    const std::string age = Number(fields, RegisterColumn::Age);
    const std::optional<int> ageValue = ParseWhole(age);
    if (!ageValue) return "林齢が整数ではありません: " + age;
    if (*ageValue < 1 || *ageValue > kMaxAge) {
        return "林齢は 1 から " + IntText(kMaxAge) + " までです: " + age;
    }
    c.age = *ageValue;

    const std::string height = Number(fields, RegisterColumn::Height);
    const std::string_view site = Field(fields, RegisterColumn::Site);
    if (!height.empty()) {
        const std::optional<double> h = ParseReal(height);
        if (!h || !(*h > 0) || !std::isfinite(*h)) {
            return "上層樹高が読めません: " + height;
        }
        c.measuredHeight = *h;
    } else if (!site.empty()) {
        c.siteClass = ParseSiteClass(std::string(site));
        if (c.siteClass == 0) return "地位は 上・中・下 か 1～3 です: " + std::string(site);
    } else {
        return "地位も上層樹高もありません";
    }

    const std::string stems = Number(fields, RegisterColumn::Stems);
    if (!stems.empty()) {
        const std::optional<double> n = ParseReal(stems);
        // The range of the starting stand page's bar, as a run file has it.
        if (!n || !(*n >= 200) || !(*n <= 10000)) {
            return "立木本数は 200 から 10000 までです: " + stems;
        }
        c.stems = RoundToInt(*n);
    }

    std::string species(Field(fields, RegisterColumn::Species));
    if (species.empty()) species = defaults_.species;
    if (!species.empty()) {
        c.carbon = defaults_.carbon->Find(species);
        if (!c.carbon) return "樹種 " + species + " の炭素係数がありません";
    }

    const std::string prm(Field(fields, RegisterColumn::Prm));
    const std::string par(Field(fields, RegisterColumn::Par));
    if (prm.empty()) return "PRMファイルの指定がありません";
    if (par.empty()) return "PARファイルの指定がありません";
    std::string error;
    c.parameters = files_.Parameters(prm, par, error);
    if (!c.parameters) return error;

    const std::string run(Field(fields, RegisterColumn::RunFile));
    const std::string runPath = run.empty() ? defaults_.runFile : files_.Resolve(run);
    if (!runPath.empty()) {
        c.thinning = files_.Thinning(runPath, error);
        if (!c.thinning) return error;
    }
    return {};
}

}  // namespace mk
