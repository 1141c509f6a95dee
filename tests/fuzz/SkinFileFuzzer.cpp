// Arbitrary bytes as a skin file: the reader either says what was wrong or returns values that are
// one line each and that read back the same when written as a skin file again.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "FakePlatform.h"
#include "FuzzChecks.h"
#include "platform/TextCodec.h"
#include "state/SkinFile.h"

using fuzzchecks::require;

namespace {

constexpr const char* kPath = "C:\\Tolvane\\skins\\fuzz.skn";

platform::Outcome<state::SkinValues> read(fake::FakePlatform& platform, const std::string& bytes) {
    platform.addFile(kPath, bytes);
    return state::ReadSkinFile(platform, kPath);
}

void requireLine(const std::string& text) {
    require(text.find_first_of("\r\n") == std::string::npos);
    require(fuzzchecks::validUtf8(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fake::FakePlatform platform;
    platform.addFolder("C:\\Tolvane\\skins");
    const auto skin = read(platform, std::string(reinterpret_cast<const char*>(data), size));
    if (!skin) {
        require(!skin.problem().empty());
        return 0;
    }
    requireLine(skin->fontName);
    requireLine(skin->picture);
    requireLine(skin->doubleSizePicture);

    std::string text =
        skin->fontName + "\r\n" + std::to_string(skin->foreColor) + "\r\n" + skin->picture + "\r\n";
    if (!skin->doubleSizePicture.empty())
        text += skin->doubleSizePicture + "\r\n";
    const platform::Outcome<std::string> bytes = platform::toCp932(text);
    require(static_cast<bool>(bytes));
    const auto reread = read(platform, *bytes);
    require(static_cast<bool>(reread));
    require(reread->fontName == skin->fontName && reread->foreColor == skin->foreColor);
    require(reread->picture == skin->picture && reread->doubleSizePicture == skin->doubleSizePicture);
    return 0;
}
