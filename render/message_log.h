// message_log.h: the last 40 diagnostic lines; nothing draws them.
#pragma once

constexpr int MESSAGE_LOG_LINES = 40;
constexpr int TEXT_FIELD_SIZE = 128;  // every fixed text field: 127 characters and the terminator

struct MessageLog {
    char lines[MESSAGE_LOG_LINES][TEXT_FIELD_SIZE];  // 0 oldest, 39 newest
    void append(const char* text);
};

// Copies text into a fixed field of TEXT_FIELD_SIZE, cut to fit; null copies the empty text.
void copyTextField(char* field, const char* text);

extern MessageLog gMessageLog;
