// user_dirs.cpp: one name's value in user-dirs.dirs, a file made to be sourced by a shell;
// lines read otherwise by a shell than by xdg-user-dirs are not guessed at.
#include "app/user_dirs.h"

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

// The value of one line that sets the name, from just after its '='; empty when not understood.
std::string valueOf(std::string_view line, std::string_view home) {
    size_t i = 0;
    if (line.empty() || line[i++] != '"') return "";
    std::string value;
    if (line.substr(i, 5) == "$HOME" && i + 5 < line.size() && (line[i + 5] == '/' || line[i + 5] == '"')) {
        if (home.empty() || home[0] != '/') return "";
        value = home;
        i += 5;
    } else if (i >= line.size() || line[i] != '/') {
        return "";  // relative, or a variable a shell would expand
    }
    for (;; ++i) {
        if (i >= line.size() || line[i] == '\0' || line[i] == '$' || line[i] == '`') return "";
        if (line[i] == '"') break;
        // Inside double quotes a shell drops a backslash only before these.
        if (line[i] == '\\') {
            const std::string_view escaped = "$`\"\\";
            if (++i >= line.size() || escaped.find(line[i]) == std::string_view::npos) return "";
        }
        value += line[i];
    }
    // Then blanks, and perhaps a comment after them: anything else would join the value.
    for (++i; i < line.size() && blank(line[i]); ++i) {}
    if (i < line.size() && !(line[i] == '#' && blank(line[i - 1]))) return "";
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    return value;
}

}  // namespace

std::string userDirIn(const char* text, size_t size, std::string_view name, std::string_view home) {
    const std::string_view all(text, size);
    std::string found;
    for (size_t start = 0; start < all.size();) {
        size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && blank(line.front())) line.remove_prefix(1);
        if (line.substr(0, name.size()) != name || line.size() == name.size()) continue;
        // "NAME =" is a command to a shell, an assignment to xdg-user-dirs: neither is trusted.
        if (blank(line[name.size()])) found.clear();
        if (line[name.size()] == '=') found = valueOf(line.substr(name.size() + 1), home);
    }
    return found;
}
