#pragma once
// Fixed-length text fields: the text cut to the field, the rest NUL.

#include <cstddef>
#include <string>

#include "project/zdt_document.h"

namespace spurwerk::gen {

inline void WriteTextField(ZDTDocument& doc, std::size_t offset, std::size_t length, const std::string& text) {
    std::string field = text.substr(0, length);
    field.resize(length, '\0');
    doc.WriteZDTString(offset, field);
}

}  // namespace spurwerk::gen
