// Code page 932 decoding and the number parsing every reader builds on, with
// the round trips the writers rely on: text decoded and encoded again decodes
// to the same text, and a number read and written again reads back.

#include "core/text/cp932.h"
#include "core/text/number_format.h"
#include "core/text/number_parse.h"
#include "core/text/text_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    using namespace mk;
    for (const TextLine& line : DecodeTextLines(fuzz::Bytes(data, size))) {
        if (!line.valid) continue;
        const auto encoded = Utf8ToCp932(line.text);
        fuzz::Require(encoded.has_value(), "decoded text encodes again");
        fuzz::Require(Cp932ToUtf8(*encoded) == line.text, "encoded text decodes to itself");
        ParseWhole(line.text);
        const double leading = LeadingNumber(line.text);
        fuzz::Require(ParseReal(GeneralNumber(leading)).has_value(),
                      "the general form of a number reads back");
        if (const auto value = ParseReal(line.text)) {
            fuzz::Require(ParseReal(ExactNumber(*value)) == *value,
                          "the exact form of a number reads back as itself");
            fuzz::Require(ParseReal(GeneralNumber(*value)).has_value(),
                          "the general form of a number reads back");
            FormatNumber(*value, "0.000000E+00");
            FormatNumber(*value, "###0.0");
        }
    }
    return 0;
}
