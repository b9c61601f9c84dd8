#pragma once
// The columns of a forest register the batch tool reads, found by their
// header in Japanese or English. A register usually holds many more columns
// (owner, address, …); those are left alone.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mk {

enum class RegisterColumn {
    Id,       // 区画ID: any text
    Area,     // 面積 (ha)
    Prm,      // PRM file, relative to the register
    Par,      // PAR file, relative to the register
    Site,     // 地位: 上/中/下 or 1-3
    Height,   // 上層樹高 (m), measured
    Age,      // 林齢
    Stems,    // 立木本数 (stems/ha)
    RunFile,  // 施業: a run file with the thinning
    Species,  // 樹種
};
inline constexpr std::size_t kRegisterColumnCount = 10;

struct RegisterHeader {
    // Field index of each column in a record; -1 when the register has none.
    std::array<int, kRegisterColumnCount> index{};
    int fieldCount = 0;

    int operator[](RegisterColumn c) const { return index[static_cast<std::size_t>(c)]; }
    bool Has(RegisterColumn c) const { return (*this)[c] >= 0; }
};

// The column a header names, ignoring case, width, kana type, blanks and a
// unit in brackets ("面積(ha)", "ＡＲＥＡ"); empty for any other header.
std::optional<RegisterColumn> ColumnOfHeader(std::string_view header);

// Finds the columns. Refused, with the reason in error, when a required
// column (id, area, PRM, PAR, age, and a site class or a measured height)
// is missing or a column is named twice.
std::optional<RegisterHeader> MapRegisterHeader(const std::vector<std::string>& names,
                                                std::string& error);

}  // namespace mk
