#include <iconv.h>

#include <array>
#include <cerrno>

#include "platform/TextCodec.h"
#include "platform/TextCodecSteps.h"

namespace platform {
namespace {

// One iconv descriptor, converting single characters only.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (valid())
            ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> operator()(std::string_view character) {
        if (!valid())
            return std::nullopt;
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string input(character);
        std::array<char, 16> output{};
        char* in = input.data();
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        const std::size_t converted = ::iconv(cd_, &in, &inLeft, &out, &outLeft);
        // A nonzero count means iconv chose a look-alike: not the character itself.
        if (converted != 0 || inLeft != 0)
            return std::nullopt;
        return std::string(output.data(), output.size() - outLeft);
    }

  private:
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

Converter& decoder() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& encoder() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

}  // namespace

Outcome<std::string> toCp932(std::string_view utf8) {
    return encodeByCharacter(
        utf8, [](std::string_view c) { return encoder()(c); },
        [](std::string_view c) { return decoder()(c); });
}

Outcome<std::string> fromCp932(std::string_view bytes) {
    return decodeByCharacter(bytes, [](std::string_view c) { return decoder()(c); });
}

}  // namespace platform
