#pragma once
// A workspace loaded with the example diagram and curves, its PAR file
// copied into a fresh folder so that the tables land there.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/graphics/recording_canvas.h"
#include "core/host/recording_messages.h"
#include "core/model/par_hnp_files.h"
#include "core/model/prm_file.h"
#include "core/text/cp932.h"
#include "core/text/text_file.h"
#include "core/yield/table_calc.h"
#include "support/test_files.h"

namespace mk::test {

class YieldRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        for (const char* name : {"sugi.PAR", "sugi.HNP", "sugi_type1.prm", "sugi_type2.prm"}) {
            fs::copy_file(SourcePath(std::string("examples/") + name), tmp.File(name));
        }
        RecordingMessages quiet;
        ASSERT_TRUE(ReadPrmFile(tmp.File("sugi_type1.prm"), ws.Diagram, quiet));
        ASSERT_TRUE(ReadParFile(tmp.File("sugi.PAR"), ws.HeightCurve, quiet));
        ASSERT_TRUE(ReadHnpFile(tmp.File("sugi.HNP"), ws.Hnp, quiet));
        ws.Run.PrmFileName = tmp.File("sugi_type1.prm");
        ws.Run.ParFileName = tmp.File("sugi.PAR");
        ws.HnpFileName = tmp.File("sugi.HNP");
        ws.Run.SiteClass = 2;
        ws.Run.SiteCurveScale = ws.HeightCurve.CurveM;
        ws.Run.StemSettingMethod = 1;
        ws.Run.PlantingStemNumber = 3000;
        ws.Run.CurrentAge = 1;
        ws.Run.EndAge = 60;
    }

    TableCalcOutcome Run() {
        PrepareRunSettings(ws);
        return TABLECALC(
            ws, kYieldTableMode, canvas,
            [this](const std::string& text) { progress.push_back(text); }, messages, pump);
    }

    void Schedule(int method, std::vector<double> keys, std::vector<double> rates) {
        ws.Run.ThinningMethod = method;
        ws.Run.ThinningCount = static_cast<int>(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            ws.Run.ThinningKey[i + 1] = keys[i];
            ws.Run.ThinningRate[i + 1] = rates[i];
        }
    }

    // The lines of a written table, decoded.
    static std::vector<std::string> TableLines(const std::string& path) {
        std::vector<std::string> lines;
        for (const TextLine& line : DecodeTextLines(ReadBytes(path))) lines.push_back(line.text);
        return lines;
    }

    static bool IsRow(const std::string& line) {
        if (line.size() < 4 || line[3] < '0' || line[3] > '9') return false;
        for (int i = 0; i < 3; ++i) {
            if (line[i] != ' ' && (line[i] < '0' || line[i] > '9')) return false;
        }
        return true;
    }

    // Ages of the rows that carry a thinning (fields 10-21 not blank).
    static std::vector<int> ThinningAges(const std::vector<std::string>& lines) {
        std::vector<int> ages;
        for (const std::string& line : lines) {
            if (line.size() < 132 || !IsRow(line)) continue;
            if (line.substr(53, 68) != std::string(68, ' '))
                ages.push_back(std::stoi(line.substr(0, 4)));
        }
        return ages;
    }

    TempDir tmp;
    YieldState ws;
    RecordingCanvas canvas;
    RecordingMessages messages;
    CountingEventPump pump;
    std::vector<std::string> progress;
};

}  // namespace mk::test
