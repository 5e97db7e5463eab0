// text_field.h: the fixed text fields every record of the game keeps its texts in.
#pragma once

constexpr int TEXT_FIELD_SIZE = 128;  // 127 characters and the terminator

// Copies text into a fixed field of TEXT_FIELD_SIZE, cut to fit; null copies the empty text.
void copyTextField(char* field, const char* text);
