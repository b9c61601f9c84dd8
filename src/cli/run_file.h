#pragma once
// Run files: the records the wizards would fill, written out as text
// ("[Section]" lines, "Key = Value" lines, ";" or "#" comments). Parsing is
// in two steps: the syntax and the known names first (RunFile), then each
// command reads the typed fields it needs, so that a run-file error always
// names the file, the line and what is wrong.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/session/workspace.h"

namespace mk::cli {

struct RunFileError {
    std::string file;
    int line = 0;  // 0: the file as a whole
    std::string reason;
    // "FILE:LINE: REASON" (or "FILE: REASON" without a line).
    std::string Text() const;
};

struct RunFileValue {
    std::string text;
    int line = 0;
};

struct RunFile {
    std::string path;
    std::string folder;  // folder of the run file, ending in "/", or empty
    // section -> key -> value
    std::map<std::string, std::map<std::string, RunFileValue>> sections;
    std::map<std::string, int> sectionLines;  // first line of each section

    const RunFileValue* Find(const std::string& section, const std::string& key) const;
    bool Has(const std::string& section, const std::string& key) const {
        return Find(section, key) != nullptr;
    }
};

// The sections and their keys that a run file may hold.
const std::map<std::string, std::vector<std::string>>& KnownRunFileKeys();

// Reads and checks the syntax and the names. path is used for messages and
// relative paths.
std::optional<RunFile> ParseRunFileText(const std::string& bytes, const std::string& path,
                                        RunFileError& error);
std::optional<RunFile> ReadRunFile(const std::string& path, RunFileError& error);

// Typed access. Each returns false and fills error when the value is there
// but wrong; an absent key leaves value as it is and returns true.
bool GetWhole(const RunFile& file, const std::string& section, const std::string& key, int& value,
              RunFileError& error);
bool GetReal(const RunFile& file, const std::string& section, const std::string& key, double& value,
             RunFileError& error);
// A path relative to the run file's folder unless absolute.
bool GetPath(const RunFile& file, const std::string& section, const std::string& key,
             std::string& value, RunFileError& error);
bool GetText(const RunFile& file, const std::string& section, const std::string& key,
             std::string& value, RunFileError& error);
bool GetRealList(const RunFile& file, const std::string& section, const std::string& key,
                 std::vector<double>& values, RunFileError& error);

// The error of a required key that is absent.
RunFileError MissingKey(const RunFile& file, const std::string& section, const std::string& key);
// An error at the line of a key that is present.
RunFileError ErrorAt(const RunFile& file, const std::string& section, const std::string& key,
                     const std::string& reason);

// A number the windows choose with a bar lies within the bar's range: a
// value beyond it would set up stands no window can make (a planting of
// 1e20 stems), so it is an error at its line. An absent key passes.
bool CheckRange(const RunFile& file, const std::string& section, const std::string& key,
                double value, double min, double max, RunFileError& error);

// The fields of [RunSettings] and [CurrentStandState] into the workspace
// records, as given (nothing computed). requireHnp: the stand volume table.
bool ReadRunSettings(const RunFile& file, RunSettings& run, CurrentStandState& stand,
                     std::string& hnpFileName, RunFileError& error);

}  // namespace mk::cli
