// message_log.cpp: the diagnostic store; fixed lines, so every copy is cut to fit.
#include "render/message_log.h"

#include <cstring>

MessageLog gMessageLog;

void copyTextField(char* field, const char* text) {
    if (!text) text = "";
    size_t n = std::strlen(text);
    if (n > TEXT_FIELD_SIZE - 1) n = TEXT_FIELD_SIZE - 1;
    std::memcpy(field, text, n);
    field[n] = '\0';
}

void MessageLog::append(const char* text) {
    std::memmove(lines[0], lines[1], sizeof(lines[0]) * (MESSAGE_LOG_LINES - 1));
    copyTextField(lines[MESSAGE_LOG_LINES - 1], text);
}
