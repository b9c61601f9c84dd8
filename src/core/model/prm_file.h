#pragma once
// PRM files: the 18 coefficients of a density diagram under the header
// "林分密度管理図パラメータ", one general-form number per line.

#include <string>
#include <string_view>

#include "core/model/density_diagram.h"
#include "core/model/file_message.h"

namespace mk {

class Messages;

inline constexpr int kPrmLineCount = 19;

// Reads PRM bytes (code page 932). Loaded: every Prm set and
// DensityDiagramLoaded true. Refused: the wrong-format error, or the line
// whose number cannot be read (after the line-count warning of a short file).
ReadOutcome<DensityDiagramParameters> ParsePrmBytes(std::string_view bytes);

// Reads the file at path into diagram, showing any warning or refusal.
// All or nothing: on false diagram is exactly as before.
bool ReadPrmFile(const std::string& path, DensityDiagramParameters& diagram, Messages& messages);

// The file text (UTF-8, CR LF after every line) of a diagram. Types other
// than 2 store 0 for the full-density volume line.
std::string PrmFileText(const DensityDiagramParameters& diagram);

// Clears Prm[16], Prm[17] of a type other than 2 (as stored) and writes the
// file whole. A file that cannot be written is reported ("ファイル書き込み
// エラー") and false returned; an existing file is then left untouched.
bool WritePrmFile(const std::string& path, DensityDiagramParameters& diagram, Messages& messages);

}  // namespace mk
