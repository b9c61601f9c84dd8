#include "core/text/cp932.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>

namespace mk {
namespace {

// One converter per direction and thread; opening a converter costs far
// more than converting one short line.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> Convert(std::string_view in) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 3 + 8, '\0');
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char* outPtr = out.data();
        size_t outLeft = out.size();
        while (inLeft > 0) {
            size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            if (r == static_cast<size_t>(-1)) {
                if (errno == E2BIG) {
                    size_t used = static_cast<size_t>(outPtr - out.data());
                    out.resize(out.size() * 2);
                    outPtr = out.data() + used;
                    outLeft = out.size() - used;
                    continue;
                }
                return std::nullopt;  // EILSEQ or EINVAL (truncated sequence)
            }
            // glibc counts irreversible conversions in r; a substituted
            // character would not round-trip, so refuse it.
            if (r != 0) return std::nullopt;
        }
        size_t r = iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
        if (r == static_cast<size_t>(-1)) return std::nullopt;
        out.resize(static_cast<size_t>(outPtr - out.data()));
        return out;
    }

private:
    iconv_t cd_;
};

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) return std::string(bytes);
    thread_local Converter converter("UTF-8", "CP932");
    return converter.Convert(bytes);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    thread_local Converter converter("CP932", "UTF-8");
    return converter.Convert(utf8);
}

int CharCount(std::string_view utf8) {
    int n = 0;
    for (size_t i = 0; i < utf8.size(); i += Utf8Length(static_cast<unsigned char>(utf8[i]))) ++n;
    return n;
}

std::vector<std::string> SplitChars(std::string_view utf8) {
    std::vector<std::string> chars;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t len = Utf8Length(static_cast<unsigned char>(utf8[i]));
        if (i + len > utf8.size()) len = utf8.size() - i;
        chars.emplace_back(utf8.substr(i, len));
        i += len;
    }
    return chars;
}

std::size_t ByteOffsetOfChars(std::string_view utf8, std::size_t chars) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < chars && i < utf8.size(); ++n) {
        i += Utf8Length(static_cast<unsigned char>(utf8[i]));
    }
    return std::min(i, utf8.size());
}

}  // namespace mk
