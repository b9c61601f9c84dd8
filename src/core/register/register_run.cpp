#include "core/register/register_run.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "core/register/register_columns.h"
#include "core/register/register_csv.h"
#include "core/text/number_format.h"
#include "core/yield/yield_state.h"

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

struct Batch {
    long long sequence = 0;
    std::vector<long long> lines;  // line numbers in the register
    std::vector<CompartmentInput> inputs;
    std::vector<std::vector<CompartmentYear>> results;
    std::vector<std::string> notices;
    std::string text;
};

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
    const auto ws = std::make_unique<YieldState>();
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
        batch->notices.resize(batch->inputs.size());
        for (std::size_t i = 0; i < batch->inputs.size(); ++i) {
            const CompartmentInput& c = batch->inputs[i];
            batch->results.push_back(SimulateCompartment(*ws, c, simulation, &batch->notices[i]));
            AppendCompartmentRows(batch->text, c, batch->results.back());
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
        if (TrimBlanks(raw).empty()) continue;
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

    RegisterFiles files(FolderOf(registerPath), loadThinning, outcome.notices);
    const RowDefaults defaults{options.defaultRunFile, options.defaultSpecies, &options.carbon};
    RegisterRowReader rows(*header, defaults, files);
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
                if (TrimBlanks(raw).empty()) continue;
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
            const std::string where = IntText(batch->lines[i]) + "行目 (区画 " + c.id + "): ";
            if (!batch->notices[i].empty()) {
                ++outcome.noticeRows;
                if (outcome.thinningNotices.size() < kShownFailures) {
                    outcome.thinningNotices.push_back(where + OneLine(batch->notices[i]));
                }
            }
            if (failed != result.end()) {
                ++outcome.failedRows;
                if (outcome.failures.size() < kShownFailures) {
                    outcome.failures.push_back(where + failed->error);
                }
            }
            for (std::size_t y = 0; y < result.size() && y < years.size(); ++y) {
                if (!result[y].error.empty()) continue;
                AddToTotals(summary.total[y], c, result[y]);
                const auto set = static_cast<std::size_t>(c.parameters->index);
                if (bySet.size() <= set)
                    bySet.resize(set + 1, std::vector<YearTotals>(years.size()));
                AddToTotals(bySet[set][y], c, result[y]);
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
