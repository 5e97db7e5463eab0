// message_log.cpp: the diagnostic store; fixed lines, so every copy is cut to fit.
#include "core/message_log.h"

#include <cstring>

MessageLog gMessageLog;

void MessageLog::append(const char* text) {
    std::memmove(lines[0], lines[1], sizeof(lines[0]) * (MESSAGE_LOG_LINES - 1));
    copyTextField(lines[MESSAGE_LOG_LINES - 1], text);
}
