#pragma once
// The text side of a forest register (森林簿) as a CSV file: which encoding
// it is in (UTF-8 with or without a byte-order mark, or Shift_JIS as
// spreadsheet programs here save it), one record per line split into its
// fields, and fields quoted for writing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/csv_field.h"

namespace mk {

enum class RegisterEncoding { Utf8, Cp932 };

struct EncodingGuess {
    RegisterEncoding encoding = RegisterEncoding::Utf8;
    std::size_t bomLength = 0;  // bytes of a UTF-8 byte-order mark to skip
};

// Decides from the first bytes of the file: a byte-order mark or text that
// is valid UTF-8 is UTF-8, anything else Shift_JIS (code page 932). A head
// cut in the middle of a character is judged on its complete part.
EncodingGuess DetectRegisterEncoding(std::string_view head);

bool IsValidUtf8(std::string_view bytes);

// One line as UTF-8; empty when its bytes are not valid in the encoding.
std::optional<std::string> DecodeRegisterLine(std::string_view raw, RegisterEncoding encoding);

// Splits one line into its fields: commas separate, a field in double
// quotes may hold commas and doubled quotes (""), blanks around a quoted
// field are ignored. False for a quote that is not closed on the line.
bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields);

}  // namespace mk
