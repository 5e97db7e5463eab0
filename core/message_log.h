// message_log.h: the last 40 diagnostic lines; nothing draws them.
#pragma once
#include "core/text_field.h"

constexpr int MESSAGE_LOG_LINES = 40;

struct MessageLog {
    char lines[MESSAGE_LOG_LINES][TEXT_FIELD_SIZE] = {};  // 0 oldest, 39 newest
    void append(const char* text);
};

extern MessageLog gMessageLog;
