#include "core/register/register_run.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/register/register_columns.h"
#include "core/register/register_csv.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/paths.h"
#include "core/text/text_compare.h"
#include "core/yield/workspace.h"

namespace mk {
namespace {

constexpr std::size_t kBatchRows = 256;
constexpr std::size_t kHeadBytes = 64 * 1024;
constexpr std::size_t kShownFailures = 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Lines of a file read in large blocks; the line end (LF or CR LF) is not
// part of the line.
class LineReader {
public:
    explicit LineReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}
    ~LineReader() {
        if (file_) std::fclose(file_);
    }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    bool Failed() const { return failed_; }

    // The first bytes of the file, for the encoding; read before any line.
    std::string_view Head() {
        while (buffer_.size() - start_ < kHeadBytes && Fill()) {
        }
        return std::string_view(buffer_).substr(start_, kHeadBytes);
    }
    void Skip(std::size_t bytes) { start_ += bytes; }

    bool Next(std::string& line) {
        for (;;) {
            const std::size_t end = buffer_.find('\n', start_);
            if (end != std::string::npos) {
                line.assign(buffer_, start_, end - start_);
                start_ = end + 1;
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return true;
            }
            if (!Fill()) {
                if (start_ >= buffer_.size()) return false;
                line.assign(buffer_, start_, std::string::npos);
                start_ = buffer_.size();
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return true;
            }
        }
    }

private:
    bool Fill() {
        if (!file_ || eof_) return false;
        buffer_.erase(0, start_);
        start_ = 0;
        char block[1 << 16];
        const std::size_t n = std::fread(block, 1, sizeof block, file_);
        if (n < sizeof block) {
            eof_ = true;
            if (std::ferror(file_)) failed_ = true;
        }
        buffer_.append(block, n);
        return n > 0;
    }

    std::FILE* file_;
    std::string buffer_;
    std::size_t start_ = 0;
    bool eof_ = false;
    bool failed_ = false;
};

std::string OneLine(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.replace(at, 2, " ");
    }
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

// Every file the register names, read once however many rows name it.
class FileCache {
public:
    FileCache(std::string folder, const ThinningLoader& loader, std::vector<std::string>& notices)
        : folder_(std::move(folder)), loader_(loader), notices_(notices) {}

    std::string Resolve(const std::string& path) const {
        return IsAbsolute(path) ? path : folder_ + path;
    }

    const ParameterSet* Parameters(const std::string& prm, const std::string& par,
                                   std::string& error) {
        const Loaded<DensityDiagramParameters>& d =
            Load(prms_, prm,
                 [&](const std::string& p, auto& r, auto& m) { return ReadPrmFile(p, r, m); });
        if (!d.error.empty()) return error = d.error, nullptr;
        const Loaded<HeightCurveParameters>& c =
            Load(pars_, par,
                 [&](const std::string& p, auto& r, auto& m) { return ReadParFile(p, r, m); });
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

    const RunSettings* Thinning(const std::string& path, std::string& error) {
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

    int SetCount() const { return static_cast<int>(sets_.size()); }
    std::vector<std::string> SetNames() const {
        std::vector<std::string> names(sets_.size());
        for (const auto& [key, set] : sets_)
            names[static_cast<std::size_t>(set->index)] = set->name;
        return names;
    }

private:
    template <typename T>
    struct Loaded {
        T record{};
        std::string error;
    };

    template <typename T, typename Reader>
    const Loaded<T>& Load(std::map<std::string, std::unique_ptr<Loaded<T>>>& cache,
                          const std::string& name, Reader read) {
        auto& entry = cache[name];
        if (!entry) {
            entry = std::make_unique<Loaded<T>>();
            RecordingMessages messages;
            const std::string path = Resolve(name);
            if (!read(path, entry->record, messages)) {
                entry->error = messages.shown().empty() ? "ファイルが読めません: " + path
                                                        : OneLine(messages.shown().back().text);
            } else {
                for (const ShownMessage& m : messages.shown()) {
                    notices_.push_back(path + ": [" + m.title + "] " + OneLine(m.text));
                }
            }
        }
        return *entry;
    }

    std::string folder_;
    const ThinningLoader& loader_;
    std::vector<std::string>& notices_;
    std::map<std::string, std::unique_ptr<Loaded<DensityDiagramParameters>>> prms_;
    std::map<std::string, std::unique_ptr<Loaded<HeightCurveParameters>>> pars_;
    std::map<std::pair<std::string, std::string>, std::unique_ptr<ParameterSet>> sets_;
    std::map<std::string, std::unique_ptr<Loaded<RunSettings>>> runs_;
};

struct Batch {
    long long sequence = 0;
    std::vector<long long> lines;  // line numbers in the register
    std::vector<CompartmentInput> inputs;
    std::vector<std::vector<CompartmentYear>> results;
    std::string text;
};

// Reads the values of one record into a compartment, naming what is wrong.
class RowReader {
public:
    RowReader(const RegisterHeader& header, const RegisterOptions& options, FileCache& files)
        : header_(header), options_(options), files_(files) {}

    CompartmentInput Read(const std::vector<std::string>& fields) {
        CompartmentInput c;
        c.id = std::string(Field(fields, RegisterColumn::Id));
        c.error = Fill(fields, c);
        return c;
    }

private:
    std::string_view Field(const std::vector<std::string>& fields, RegisterColumn column) const {
        const int i = header_[column];
        if (i < 0 || static_cast<std::size_t>(i) >= fields.size()) return {};
        return Trim(fields[static_cast<std::size_t>(i)]);
    }

    // A number typed in full-width digits reads as the same number.
    std::string Number(const std::vector<std::string>& fields, RegisterColumn column) const {
        const std::string_view text = Field(fields, column);
        for (unsigned char ch : text) {
            if (ch >= 0x80) return FoldText(text);
        }
        return std::string(text);
    }

    std::string Fill(const std::vector<std::string>& fields, CompartmentInput& c) {
        const std::string area = Number(fields, RegisterColumn::Area);
        const std::optional<double> areaValue = ParseReal(area);
        if (!areaValue || !(*areaValue >= 0) || !std::isfinite(*areaValue)) {
            return "面積が読めません: " + area;
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
            if (!n || !(*n >= 1) || !(*n <= 100000)) {
                return "立木本数が読めません（1～100000）: " + stems;
            }
            c.stems = RoundToInt(*n);
        }

        std::string species(Field(fields, RegisterColumn::Species));
        if (species.empty()) species = options_.defaultSpecies;
        if (!species.empty()) {
            c.carbon = options_.carbon.Find(species);
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
        const std::string runPath = run.empty() ? options_.defaultRunFile : files_.Resolve(run);
        if (!runPath.empty()) {
            c.thinning = files_.Thinning(runPath, error);
            if (!c.thinning) return error;
        }
        return {};
    }

    const RegisterHeader& header_;
    const RegisterOptions& options_;
    FileCache& files_;
};

void AppendFixed(std::string& out, double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) return;
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // A value that rounds to zero is written without its sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string_view::npos) {
        text.remove_prefix(1);
    }
    out += text;
}

void AppendRows(std::string& out, const CompartmentInput& c,
                const std::vector<CompartmentYear>& years) {
    const std::string id = CsvField(c.id);
    for (const CompartmentYear& y : years) {
        out += id;
        out += ',';
        out += IntText(y.year);
        if (y.error.empty()) {
            out += ',';
            out += IntText(y.age);
            for (auto [value, decimals] : {std::pair{y.height, 2},
                                           {y.dbh, 2},
                                           {y.stems, 0},
                                           {y.volume, 2},
                                           {y.volume * c.area, 2},
                                           {y.thinned, 2},
                                           {y.cumulativeThinned, 2}}) {
                out += ',';
                AppendFixed(out, value, decimals);
            }
            out += ',';
            if (y.hasCarbon) AppendFixed(out, y.carbon, 3);
            out += ',';
            if (y.hasCarbon) AppendFixed(out, Co2Tonnes(y.carbon, c.area), 3);
            out += ",\r\n";
        } else {
            out += ",,,,,,,,,,,";
            out += CsvField(y.error);
            out += "\r\n";
        }
    }
}

void AddYear(YearTotals& t, const CompartmentInput& c, const CompartmentYear& y) {
    ++t.compartments;
    t.area += c.area;
    t.volume += y.volume * c.area;
    t.thinned += y.thinned * c.area;
    t.cumulativeThinned += y.cumulativeThinned * c.area;
    if (y.hasCarbon) {
        ++t.carbonCompartments;
        t.carbon += y.carbon * c.area;
        t.co2 += Co2Tonnes(y.carbon, c.area);
    }
}

// The pipeline's shared state: batches waiting for a worker, batches done
// and waiting for their turn to be written, and the number in between,
// which bounds the memory.
struct Pipeline {
    std::mutex mutex;
    std::condition_variable work;
    std::condition_variable done;
    std::condition_variable space;
    std::deque<std::unique_ptr<Batch>> waiting;
    std::map<long long, std::unique_ptr<Batch>> finished;
    std::size_t inFlight = 0;
    std::size_t maxInFlight = 4;
    bool readerDone = false;
    bool stop = false;
    long long batchCount = 0;
};

void Work(Pipeline& p, const SimulationOptions& simulation) {
    const auto ws = std::make_unique<Workspace>();
    for (;;) {
        std::unique_ptr<Batch> batch;
        {
            std::unique_lock lock(p.mutex);
            p.work.wait(lock, [&] { return !p.waiting.empty() || p.readerDone; });
            if (p.waiting.empty()) return;
            batch = std::move(p.waiting.front());
            p.waiting.pop_front();
        }
        batch->results.reserve(batch->inputs.size());
        for (const CompartmentInput& c : batch->inputs) {
            batch->results.push_back(SimulateCompartment(*ws, c, simulation));
            AppendRows(batch->text, c, batch->results.back());
        }
        {
            std::lock_guard lock(p.mutex);
            const long long sequence = batch->sequence;
            p.finished[sequence] = std::move(batch);
        }
        p.done.notify_all();
    }
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

std::string RegisterOutputHeader(bool english) {
    return english ? "id,year,age,height_m,dbh_cm,stems_per_ha,volume_m3_per_ha,volume_m3,"
                     "thinned_m3_per_ha,cumulative_thinned_m3_per_ha,carbon_tc_per_ha,co2_t,"
                     "error\r\n"
                   : "区画ID,経過年数,林齢,上層樹高(m),平均直径(cm),立木本数(本/ha),"
                     "材積(m3/ha),区画材積(m3),期間間伐材積(m3/ha),累計間伐材積(m3/ha),"
                     "炭素蓄積(t-C/ha),CO2(t-CO2),エラー\r\n";
}

std::string RegisterSummaryCsv(const RegisterSummary& s, bool english) {
    std::string out(kUtf8Bom);
    out += english ? "group,year,compartments,area_ha,volume_m3,thinned_m3,"
                     "cumulative_thinned_m3,carbon_tc,co2_t\r\n"
                   : "集計区分,経過年数,区画数,面積(ha),蓄積(m3),期間間伐材積(m3),"
                     "累計間伐材積(m3),炭素蓄積(t-C),CO2(t-CO2)\r\n";
    auto rows = [&](const std::string& group, const std::vector<YearTotals>& totals) {
        for (std::size_t i = 0; i < s.years.size() && i < totals.size(); ++i) {
            const YearTotals& t = totals[i];
            out += CsvField(group) + "," + IntText(s.years[i]) + "," + IntText(t.compartments);
            for (double v : {t.area, t.volume, t.thinned, t.cumulativeThinned}) {
                out += ',';
                AppendFixed(out, v, 2);
            }
            for (double v : {t.carbon, t.co2}) {
                out += ',';
                if (t.carbonCompartments > 0) AppendFixed(out, v, 3);
            }
            out += "\r\n";
        }
    };
    rows(english ? "all" : "全体", s.total);
    for (const ParameterSetTotals& set : s.byParameterSet) rows(set.name, set.years);
    return out;
}

RegisterOutcome RunRegister(const std::string& registerPath, const RegisterOptions& options,
                            const ThinningLoader& loadThinning, const OutputSink& output) {
    RegisterOutcome outcome;
    LineReader reader(registerPath);
    if (!reader.IsOpen()) {
        outcome.refused = true;
        outcome.error = "森林簿を開けません: " + registerPath;
        return outcome;
    }
    const EncodingGuess encoding = DetectRegisterEncoding(reader.Head());
    reader.Skip(encoding.bomLength);

    std::string raw;
    std::vector<std::string> fields;
    std::optional<std::string> headerLine;
    long long lineNumber = 0;
    while (reader.Next(raw)) {
        ++lineNumber;
        if (Trim(raw).empty()) continue;
        headerLine = DecodeRegisterLine(raw, encoding.encoding);
        if (!headerLine || !SplitCsvLine(*headerLine, fields)) {
            outcome.refused = true;
            outcome.error = "見出し行が読めません（" + IntText(lineNumber) + "行目）";
            return outcome;
        }
        break;
    }
    if (!headerLine) {
        outcome.refused = true;
        outcome.error = reader.Failed() ? "森林簿を読めません: " + registerPath
                                        : "森林簿に見出し行がありません: " + registerPath;
        return outcome;
    }
    std::string headerError;
    const std::optional<RegisterHeader> header = MapRegisterHeader(fields, headerError);
    if (!header) {
        outcome.refused = true;
        outcome.error = headerError;
        return outcome;
    }

    const std::vector<int>& years = options.simulation.years;
    RegisterSummary& summary = outcome.summary;
    summary.years = years;
    summary.total.assign(years.size(), YearTotals{});

    FileCache files(FolderOf(registerPath), loadThinning, outcome.notices);
    RowReader rows(*header, options, files);
    Pipeline p;
    const int threads = std::max(1, options.threads);
    p.maxInFlight = static_cast<std::size_t>(threads) * 4;
    bool readFailed = false;

    std::thread readerThread([&] {
        long long dataRow = 0;
        long long sequence = 0;
        bool more = true;
        while (more) {
            auto batch = std::make_unique<Batch>();
            while (batch->inputs.size() < kBatchRows) {
                if (!reader.Next(raw)) {
                    more = false;
                    break;
                }
                ++lineNumber;
                if (Trim(raw).empty()) continue;
                ++dataRow;
                if (dataRow < options.firstRow) continue;
                if (dataRow > options.lastRow) {
                    more = false;
                    break;
                }
                CompartmentInput c;
                const std::optional<std::string> line = DecodeRegisterLine(raw, encoding.encoding);
                if (!line) {
                    c.error = "文字コードが読めません";
                } else if (!SplitCsvLine(*line, fields)) {
                    c.error = "引用符が閉じていません";
                } else {
                    c = rows.Read(fields);
                }
                batch->lines.push_back(lineNumber);
                batch->inputs.push_back(std::move(c));
            }
            if (batch->inputs.empty()) break;
            std::unique_lock lock(p.mutex);
            p.space.wait(lock, [&] { return p.inFlight < p.maxInFlight || p.stop; });
            if (p.stop) break;
            batch->sequence = sequence++;
            ++p.inFlight;
            p.waiting.push_back(std::move(batch));
            lock.unlock();
            p.work.notify_one();
        }
        std::lock_guard lock(p.mutex);
        readFailed = reader.Failed();
        p.batchCount = sequence;
        p.readerDone = true;
        p.work.notify_all();
        p.done.notify_all();
    });
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i) {
        workers.emplace_back(Work, std::ref(p), std::cref(options.simulation));
    }

    bool writing = true;
    if (options.firstRow <= 1) {
        writing = output(std::string(kUtf8Bom) + RegisterOutputHeader(options.englishHeader));
    }
    std::vector<std::vector<YearTotals>> bySet;
    for (long long next = 0;; ++next) {
        std::unique_ptr<Batch> batch;
        {
            std::unique_lock lock(p.mutex);
            p.done.wait(lock, [&] {
                return p.finished.count(next) || (p.readerDone && next >= p.batchCount);
            });
            if (!p.finished.count(next)) break;
            batch = std::move(p.finished[next]);
            p.finished.erase(next);
        }
        if (writing && !output(batch->text)) {
            writing = false;
            std::lock_guard lock(p.mutex);
            p.stop = true;
        }
        for (std::size_t i = 0; i < batch->inputs.size(); ++i) {
            const CompartmentInput& c = batch->inputs[i];
            const std::vector<CompartmentYear>& result = batch->results[i];
            ++outcome.rows;
            const auto failed = std::find_if(result.begin(), result.end(),
                                             [](auto& y) { return !y.error.empty(); });
            if (failed != result.end()) {
                ++outcome.failedRows;
                if (outcome.failures.size() < kShownFailures) {
                    outcome.failures.push_back(IntText(batch->lines[i]) + "行目 (区画 " + c.id +
                                               "): " + failed->error);
                }
            }
            for (std::size_t y = 0; y < result.size() && y < years.size(); ++y) {
                if (!result[y].error.empty()) continue;
                AddYear(summary.total[y], c, result[y]);
                const auto set = static_cast<std::size_t>(c.parameters->index);
                if (bySet.size() <= set)
                    bySet.resize(set + 1, std::vector<YearTotals>(years.size()));
                AddYear(bySet[set][y], c, result[y]);
            }
        }
        {
            std::lock_guard lock(p.mutex);
            --p.inFlight;
        }
        p.space.notify_one();
    }
    readerThread.join();
    for (std::thread& w : workers) w.join();

    summary.failedCompartments = outcome.failedRows;
    const std::vector<std::string> names = files.SetNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        summary.byParameterSet.push_back(
            {names[i], i < bySet.size() ? bySet[i] : std::vector<YearTotals>(years.size())});
    }
    outcome.writeFailed = !writing;
    if (readFailed) {
        outcome.refused = true;
        outcome.error = "森林簿の読み込み中に失敗しました: " + registerPath;
    }
    return outcome;
}

}  // namespace mk
