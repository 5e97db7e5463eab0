// text_field.cpp: copying into fixed text fields, always cut to fit.
#include "core/text_field.h"

#include <cstring>

void copyTextField(char* field, const char* text) {
    if (!text) text = "";
    size_t n = std::strlen(text);
    if (n > TEXT_FIELD_SIZE - 1) n = TEXT_FIELD_SIZE - 1;
    std::memcpy(field, text, n);
    field[n] = '\0';
}
