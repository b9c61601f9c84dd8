#include "core/register/register_csv.h"

#include "core/text/cp932.h"

namespace mk {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Length of the UTF-8 sequence a lead byte opens; 0 for a byte that cannot
// lead one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Checks bytes as UTF-8; a sequence cut off by the end counts as valid when
// allowCutEnd (a head read from a larger file).
bool CheckUtf8(std::string_view bytes, bool allowCutEnd) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 0) return false;
        if (i + length > bytes.size()) {
            if (!allowCutEnd) return false;
            for (std::size_t j = i + 1; j < bytes.size(); ++j) {
                if ((static_cast<unsigned char>(bytes[j]) & 0xC0) != 0x80) return false;
            }
            return true;
        }
        for (std::size_t j = 1; j < length; ++j) {
            if ((static_cast<unsigned char>(bytes[i + j]) & 0xC0) != 0x80) return false;
        }
        if (length >= 3) {
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            // Overlong forms, surrogates and code points beyond U+10FFFF.
            if (lead == 0xE0 && second < 0xA0) return false;
            if (lead == 0xED && second >= 0xA0) return false;
            if (lead == 0xF0 && second < 0x90) return false;
            if (lead == 0xF4 && second >= 0x90) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) { return CheckUtf8(bytes, false); }

EncodingGuess DetectRegisterEncoding(std::string_view head) {
    if (head.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        return {RegisterEncoding::Utf8, kUtf8Bom.size()};
    }
    return {CheckUtf8(head, true) ? RegisterEncoding::Utf8 : RegisterEncoding::Cp932, 0};
}

std::optional<std::string> DecodeRegisterLine(std::string_view raw, RegisterEncoding encoding) {
    if (encoding == RegisterEncoding::Cp932) return Cp932ToUtf8(raw);
    if (!IsValidUtf8(raw)) return std::nullopt;
    return std::string(raw);
}

bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::size_t i = 0;
    for (;;) {
        std::string field;
        std::size_t j = i;
        while (j < line.size() && (line[j] == ' ' || line[j] == '\t')) ++j;
        if (j < line.size() && line[j] == '"') {
            ++j;
            for (;;) {
                if (j >= line.size()) return false;
                if (line[j] == '"') {
                    if (j + 1 < line.size() && line[j + 1] == '"') {
                        field += '"';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                field += line[j++];
            }
            // Anything after the closing quote up to the comma is kept, as
            // spreadsheet programs do; blanks alone are dropped.
            const std::size_t comma = line.find(',', j);
            std::string_view rest =
                line.substr(j, comma == std::string_view::npos ? line.npos : comma - j);
            if (rest.find_first_not_of(" \t") != std::string_view::npos) field += rest;
            fields.push_back(std::move(field));
            if (comma == std::string_view::npos) return true;
            i = comma + 1;
            continue;
        }
        const std::size_t comma = line.find(',', i);
        fields.emplace_back(
            line.substr(i, comma == std::string_view::npos ? line.npos : comma - i));
        if (comma == std::string_view::npos) return true;
        i = comma + 1;
    }
}

}  // namespace mk
