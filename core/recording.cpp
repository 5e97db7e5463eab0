// recording.cpp: reading and writing a recorded game's lines. The reader trusts nothing: every
// number has a range, frames only go forward, and the first fault ends it with one reason.
#include "core/recording.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

#include "core/screen.h"

namespace {

constexpr size_t MAX_LINE = 80;
constexpr u64 MAX_SECONDS = 0xFFFFFFFFu;  // the balls' seed keeps 32 bits of it

struct MessageKind {
    const char* word;
    PlatformEventType type;
};
constexpr MessageKind MESSAGE_KINDS[] = {
    {"move", PlatformEventType::MouseMove}, {"left", PlatformEventType::LeftDown},
    {"right", PlatformEventType::RightDown}, {"key-down", PlatformEventType::KeyDown},
    {"key-up", PlatformEventType::KeyUp},    {"quit", PlatformEventType::Quit},
};

const char* wordFor(PlatformEventType type) {
    for (const MessageKind& k : MESSAGE_KINDS) {
        if (k.type == type) return k.word;
    }
    return nullptr;
}

// Plain decimal, at most 10 digits, no sign, nothing around it.
bool number(std::string_view s, u64 max, u64* out) {
    if (s.empty() || s.size() > 10) return false;
    u64 v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + u64(c - '0');
    }
    if (v > max) return false;
    *out = v;
    return true;
}

bool hexHash(std::string_view s, u64* out) {
    if (s.size() != 16) return false;
    u64 v = 0;
    for (char c : s) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        v = v << 4 | u64(digit);
    }
    *out = v;
    return true;
}

// A header value: printable, no blanks.
bool token(std::string_view s, size_t max) {
    if (s.empty() || s.size() > max) return false;
    for (char c : s) {
        if (c <= ' ' || c > '~') return false;
    }
    return true;
}

struct Reader {
    const char* data;
    size_t size;
    size_t at = 0;
    u32 lineNumber = 0;
    std::string* error;
    u32 cutAtLine = 0;  // the line that ends without its newline

    bool fail(const std::string& why) {
        *error = lineNumber > 0 ? "line " + std::to_string(lineNumber) + ": " + why : why;
        return false;
    }

    // The next line without its end; false at the end of the data or on a damaged line.
    bool next(std::vector<std::string_view>* words, bool* atEnd) {
        *atEnd = at >= size;
        if (*atEnd) return false;
        ++lineNumber;
        const void* found = std::memchr(data + at, '\n', size - at);
        const size_t end = found ? size_t(static_cast<const char*>(found) - data) : size;
        std::string_view line(data + at, end - at);
        if (line.size() > MAX_LINE) return fail("too long");
        if (!found) {
            // A full disk, a kill or a power loss ends a file anywhere: the line it cut is
            // dropped, and what came before it stands.
            cutAtLine = lineNumber;
            *atEnd = true;
            return false;
        }
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // a copy made on Windows
        words->clear();
        for (size_t start = 0;;) {
            const size_t blank = line.find(' ', start);
            words->push_back(line.substr(start, blank == std::string_view::npos ? blank : blank - start));
            if (blank == std::string_view::npos) break;
            start = blank + 1;
        }
        return true;
    }
};

bool readHeader(Reader& r, RecordedGame* out) {
    std::vector<std::string_view> w;
    bool atEnd = false;
    if (!r.next(&w, &atEnd) || w.size() != 2 || w[0] != RECORDING_MAGIC) {
        r.lineNumber = 0;
        return r.fail("not a Fendwall recording");
    }
    u64 format = 0;
    if (!number(w[1], 0xFFFFFFFFu, &format) || format == 0) return r.fail("not a Fendwall recording");
    if (format > RECORDING_FORMAT) {
        return r.fail("recording format " + std::to_string(format) + " is newer than this Fendwall reads (" +
                      std::to_string(RECORDING_FORMAT) + "); a newer Fendwall plays it");
    }
    out->format = u32(format);
    const char* keys[] = {"game", "date"};
    std::string* values[] = {&out->gameVersion, &out->date};
    for (int i = 0; i < 2; ++i) {
        if (!r.next(&w, &atEnd)) return atEnd ? r.fail("cut off in its header") : false;
        if (w.size() != 2 || w[0] != keys[i] || !token(w[1], 40)) return r.fail(std::string("damaged header: no ") + keys[i]);
        *values[i] = std::string(w[1]);
    }
    return true;
}

// "act [point X Y] [left] [right] [menu-down|menu-up] [pause]", in that order, not empty;
// pause from format 3 on.
bool readBound(Reader& r, const std::vector<std::string_view>& w, u32 frame, RecordedGame* out) {
    BoundInput b;
    size_t i = 2;
    if (i < w.size() && w[i] == "point") {
        u64 x = 0, y = 0;
        if (w.size() < i + 3 || !number(w[i + 1], SCREEN_WIDTH - 1, &x) || !number(w[i + 2], SCREEN_HEIGHT - 1, &y)) {
            return r.fail("a position outside the screen");
        }
        b.point = true, b.x = i32(x), b.y = i32(y);
        i += 3;
    }
    if (i < w.size() && w[i] == "left") b.left = true, ++i;
    if (i < w.size() && w[i] == "right") b.right = true, ++i;
    if (i < w.size() && (w[i] == "menu-down" || w[i] == "menu-up")) {
        b.menu = w[i] == "menu-down" ? MenuControl::Down : MenuControl::Up;
        ++i;
    }
    if (i < w.size() && w[i] == "pause" && out->format >= 3) b.pause = true, ++i;
    if (i != w.size() || !b.any()) return r.fail("damaged act");
    if (!out->bound.empty() && out->bound.back().frame == frame) return r.fail("a second act in one frame");
    out->bound.push_back({frame, b});
    return true;
}

bool readEntry(Reader& r, const std::vector<std::string_view>& w, u32 frame, RecordedGame* out) {
    const std::string_view kind = w.size() > 1 ? w[1] : std::string_view();
    u64 a = 0, b = 0;
    // Format 1 had no bindings: there an act line is as unknown as any other word.
    if (kind == "act" && out->format >= 2) return readBound(r, w, frame, out);
    if (kind == "seconds") {
        if (w.size() != 3 || !number(w[2], MAX_SECONDS, &a)) return r.fail("damaged seconds");
        out->seconds.push_back({frame, i64(a)});
        return true;
    }
    if (kind == "check") {
        if (w.size() != 3 || !hexHash(w[2], &a)) return r.fail("damaged checkpoint");
        if (!out->checkpoints.empty() && out->checkpoints.back().frame == frame) return r.fail("a second checkpoint in one frame");
        out->checkpoints.push_back({frame, a});
        return true;
    }
    if (kind == "end") {
        if (w.size() != 2) return r.fail("damaged end");
        out->ended = true;
        out->lastFrame = frame;
        return true;
    }
    for (const MessageKind& k : MESSAGE_KINDS) {
        if (kind != k.word) continue;
        PlatformEvent e{k.type, 0, 0, 0};
        const bool key = k.type == PlatformEventType::KeyDown || k.type == PlatformEventType::KeyUp;
        const bool mouse = !key && k.type != PlatformEventType::Quit;
        const size_t args = key ? 1 : mouse ? 2 : 0;
        if (w.size() != 2 + args) return r.fail("damaged " + std::string(k.word));
        if (key && (!number(w[2], 255, &a) || a == 0)) return r.fail("damaged key");
        if (mouse && (!number(w[2], SCREEN_WIDTH - 1, &a) || !number(w[3], SCREEN_HEIGHT - 1, &b))) {
            return r.fail("a position outside the screen");
        }
        if (key) e.key = i32(a);
        if (mouse) e.x = i32(a), e.y = i32(b);
        if (!out->messages.empty() && out->messages.back().frame == frame) return r.fail("a second message in one frame");
        out->messages.push_back({frame, e});
        return true;
    }
    return r.fail("unknown entry '" + std::string(kind.substr(0, 20)) + "'");
}

}  // namespace

bool parseRecording(const char* data, size_t size, RecordedGame* out, std::string* error) {
    *out = RecordedGame{};
    Reader r{data, size, 0, 0, error};
    if (size > RECORDING_MAX_BYTES) return r.fail("larger than any recording");
    if (!readHeader(r, out)) return false;
    std::vector<std::string_view> w;
    bool atEnd = false;
    u32 lastFrame = 0;
    while (r.next(&w, &atEnd)) {
        if (out->ended) return r.fail("entries after the end");
        u64 frame = 0;
        if (!number(w[0], ~u64(0), &frame)) return r.fail("damaged frame number");
        if (frame > RECORDING_MAX_FRAME) return r.fail("frame " + std::to_string(frame) + " is beyond any game");
        if (frame < lastFrame) return r.fail("frame " + std::to_string(frame) + " after frame " + std::to_string(lastFrame));
        lastFrame = u32(frame);
        if (!readEntry(r, w, u32(frame), out)) return false;
    }
    if (!atEnd) return false;
    out->cutAtLine = r.cutAtLine;
    r.lineNumber = 0;
    if (out->checkpoints.empty()) {
        return r.fail(r.cutAtLine ? "cut off before its first checkpoint: nothing in it can be checked"
                                  : "no checkpoint: nothing in it can be checked");
    }
    if (!out->ended) {
        // Cut short: what came after the last checkpoint could not be checked.
        const u32 last = out->checkpoints.back().frame;
        while (!out->messages.empty() && out->messages.back().frame > last) out->messages.pop_back();
        while (!out->bound.empty() && out->bound.back().frame > last) out->bound.pop_back();
        while (!out->seconds.empty() && out->seconds.back().frame > last) out->seconds.pop_back();
        out->lastFrame = last;
    }
    return true;
}

bool recordedMessage(PlatformEventType type) { return wordFor(type) != nullptr; }

std::string headerLines(const char* gameVersion, i64 calendarSeconds) {
    const std::time_t t = std::time_t(calendarSeconds);
    std::tm utc{};
    char date[32] = "unknown";
    if (gmtime_r(&t, &utc)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%SZ", &utc);
    char lines[3 * (MAX_LINE + 2)];
    std::snprintf(lines, sizeof lines, "%s %u\ngame %s\ndate %s\n", RECORDING_MAGIC, RECORDING_FORMAT, gameVersion, date);
    return lines;
}

// Each line is formatted into a buffer of its own: every line fits MAX_LINE, and the
// reader refuses a longer one.
std::string messageLine(u32 frame, const PlatformEvent& e) {
    const char* word = wordFor(e.type);
    if (!word) return {};
    char line[MAX_LINE + 2];
    if (e.type == PlatformEventType::KeyDown || e.type == PlatformEventType::KeyUp) {
        std::snprintf(line, sizeof line, "%u %s %d\n", frame, word, e.key);
    } else if (e.type != PlatformEventType::Quit) {
        std::snprintf(line, sizeof line, "%u %s %d %d\n", frame, word, e.x, e.y);
    } else {
        std::snprintf(line, sizeof line, "%u %s\n", frame, word);
    }
    return line;
}

std::string boundLine(u32 frame, const BoundInput& b) {
    if (!b.any()) return {};
    char point[32] = "";
    if (b.point) std::snprintf(point, sizeof point, " point %d %d", b.x, b.y);
    const char* menu = b.menu == MenuControl::Same ? "" : b.menu == MenuControl::Down ? " menu-down" : " menu-up";
    char line[MAX_LINE + 2];
    std::snprintf(line, sizeof line, "%u act%s%s%s%s%s\n", frame, point, b.left ? " left" : "", b.right ? " right" : "", menu,
                  b.pause ? " pause" : "");
    return line;
}

std::string secondsLine(u32 frame, i64 seconds) {
    char line[MAX_LINE + 2];
    std::snprintf(line, sizeof line, "%u seconds %" PRId64 "\n", frame, seconds);
    return line;
}

std::string checkpointLine(u32 frame, u64 hash) {
    char line[MAX_LINE + 2];
    std::snprintf(line, sizeof line, "%u check %016" PRIx64 "\n", frame, hash);
    return line;
}

std::string endLine(u32 frame) {
    char line[MAX_LINE + 2];
    std::snprintf(line, sizeof line, "%u end\n", frame);
    return line;
}
