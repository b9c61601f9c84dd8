#pragma once
// Readers of PAR files (site-class dominant-height growth curve) and HNP
// files (dominant-height–stem-number curve).

#include <string>
#include <string_view>

#include "core/model/file_message.h"
#include "core/model/height_curve.h"

namespace mk {

class Messages;

inline constexpr int kParLineCount = 8;
inline constexpr int kHnpLineCount = 7;

// path gives the folder for HeightCurveSource; previous supplies the curve
// kind kept when line 3 has no kind to take.
ReadOutcome<HeightCurveParameters> ParseParBytes(std::string_view bytes, const std::string& path,
                                                 const HeightCurveParameters& previous);
// path gives the folder for HnpSource.
ReadOutcome<HnpParameters> ParseHnpBytes(std::string_view bytes, const std::string& path);

// Read the file, show any warning or refusal, and change the record only
// when the whole file loaded.
bool ReadParFile(const std::string& path, HeightCurveParameters& curve, Messages& messages);
bool ReadHnpFile(const std::string& path, HnpParameters& hnp, Messages& messages);

}  // namespace mk
