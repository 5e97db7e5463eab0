// button_queue.cpp: a fixed queue of names; names are stored cut to the field and
// looked for as they were stored.
#include "ui/button_queue.h"

#include <cstring>

void ButtonEventQueue::push(const char* name) {
    std::memmove(entries[0], entries[1], sizeof(entries[0]) * (BUTTON_EVENT_SLOTS - 1));
    copyTextField(entries[BUTTON_EVENT_SLOTS - 1], name);
}

bool ButtonEventQueue::take(const char* name) {
    char stored[TEXT_FIELD_SIZE];
    copyTextField(stored, name);
    for (auto& entry : entries) {
        if (std::strcmp(entry, stored) == 0) {
            entry[0] = '\0';
            return true;
        }
    }
    return false;
}
