#include "settings/text_table.h"

#include "settings/cli_texts.h"
#include "settings/ui_texts.h"

#include <cctype>

namespace spurwerk {

namespace {
const std::array<std::string, TextCount>& Defaults() {
    static const std::array<std::string, TextCount> defaults = {
#include "settings/text_table_defaults.inc"
    };
    return defaults;
}

std::array<std::string, TextCount>& Table() {
    static std::array<std::string, TextCount> table = Defaults();
    return table;
}

bool Valid(int number) { return number >= FirstTextNumber && number <= LastTextNumber; }
const std::string& Empty() {
    static const std::string empty;
    return empty;
}
}  // namespace

void InitResStrArr() {
    Table() = Defaults();
    InitUiTexts();
    InitCliTexts();
}

const std::string& Txt(int number) {
    return Valid(number) ? Table()[static_cast<std::size_t>(number - FirstTextNumber)] : Empty();
}

void SetTxt(int number, const std::string& text) {
    if (Valid(number)) Table()[static_cast<std::size_t>(number - FirstTextNumber)] = text;
}

const std::string& DefaultTxt(int number) {
    return Valid(number) ? Defaults()[static_cast<std::size_t>(number - FirstTextNumber)] : Empty();
}

std::string EncodeBR(const std::string& text, const std::string& lineBreak) {
    if (lineBreak.empty()) return text;
    std::string out;
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(lineBreak, pos);
        if (hit == std::string::npos) break;
        out.append(text, pos, hit - pos);
        out += "<BR>";
        pos = hit + lineBreak.size();
    }
    out.append(text, pos, std::string::npos);
    return out;
}

std::string DecodeBR(const std::string& text, const std::string& lineBreak) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (i + 4 <= text.size() && text[i] == '<' && std::toupper(static_cast<unsigned char>(text[i + 1])) == 'B' &&
            std::toupper(static_cast<unsigned char>(text[i + 2])) == 'R' && text[i + 3] == '>') {
            out += lineBreak;
            i += 4;
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace spurwerk
