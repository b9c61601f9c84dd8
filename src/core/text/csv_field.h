#pragma once
// One field of a CSV file as every CSV the program writes spells it
// (RFC 4180): in double quotes, inner quotes doubled, when it holds a comma,
// a quote or a line end; as it is otherwise.

#include <string>
#include <string_view>

namespace mk {

std::string CsvField(std::string_view text);

}  // namespace mk
